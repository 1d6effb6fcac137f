// The dialog paints every part of its client area in its own colour, the insides of the
// group boxes included, at its start size, after growing, maximized and restored again.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "recording_editor.h"
#include "resources/resource_ids.h"

namespace quizmora {
namespace {

RECT clientRectOf(HWND dialog, int id) {
  RECT rect{};
  GetWindowRect(GetDlgItem(dialog, id), &rect);
  MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&rect), 2);
  return rect;
}

struct Spot {
  const char* name;
  POINT point;
};

// Points between the controls, where only the dialog's background can show.
std::vector<Spot> backgroundSpots(HWND dialog) {
  RECT question = clientRectOf(dialog, IDC_QUESTION_TEXT);
  RECT typeGroup = clientRectOf(dialog, IDC_TYPE_GROUP);
  RECT oneChoice = clientRectOf(dialog, IDC_TYPE_ONE_CHOICE);
  RECT multiple = clientRectOf(dialog, IDC_TYPE_MULTIPLE_CHOICE);
  RECT answerGroup = clientRectOf(dialog, IDC_ANSWER_GROUP);
  RECT deleteAnswer = clientRectOf(dialog, IDC_DELETE_ANSWER);
  RECT list = clientRectOf(dialog, IDC_ANSWER_LIST);
  RECT paste = clientRectOf(dialog, IDC_PASTE_QUESTION);
  RECT label = clientRectOf(dialog, IDC_QUESTION_LABEL);
  RECT questionGroup = clientRectOf(dialog, IDC_QUESTION_GROUP);
  return {
      {"toolbar row", {(paste.right + label.left) / 2, (paste.top + paste.bottom) / 2}},
      {"below the question box",
       {(question.left + question.right) / 2, (question.bottom + typeGroup.top) / 2}},
      {"inside the type group",
       {(oneChoice.right + multiple.left) / 2, (oneChoice.top + oneChoice.bottom) / 2}},
      {"inside the answer group, left column",
       {(deleteAnswer.left + deleteAnswer.right) / 2,
        (deleteAnswer.bottom + answerGroup.bottom) / 2}},
      {"inside the answer group, below the list",
       {(list.left + list.right) / 2, (list.bottom + answerGroup.bottom) / 2}},
      {"inside the question group, below the answers",
       {(answerGroup.left + answerGroup.right) / 2,
        (answerGroup.bottom + questionGroup.bottom) / 2}},
      {"left of the question group",
       {questionGroup.left / 2, (questionGroup.top + questionGroup.bottom) / 2}},
      {"inside the question group, right of the type group",
       {(typeGroup.right + questionGroup.right) / 2, (typeGroup.top + typeGroup.bottom) / 2}},
  };
}

// Saves the client area as a BMP beside the other test output, for people to look at.
void saveClientPicture(HWND dialog, HDC source, const std::string& name) {
  RECT client{};
  GetClientRect(dialog, &client);
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(info.bmiHeader);
  info.bmiHeader.biWidth = client.right;
  info.bmiHeader.biHeight = client.bottom;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 24;
  void* bits = nullptr;
  HBITMAP bitmap = CreateDIBSection(source, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  HDC memory = CreateCompatibleDC(source);
  HGDIOBJ previous = SelectObject(memory, bitmap);
  BitBlt(memory, 0, 0, client.right, client.bottom, source, 0, 0, SRCCOPY);
  GdiFlush();
  DWORD stride = (static_cast<DWORD>(client.right) * 3 + 3) & ~3u;
  DWORD imageSize = stride * static_cast<DWORD>(client.bottom);
  BITMAPFILEHEADER file{};
  file.bfType = 0x4D42;
  file.bfOffBits = sizeof(file) + sizeof(info.bmiHeader);
  file.bfSize = file.bfOffBits + imageSize;
  CreateDirectoryA(QZM_TEST_OUTPUT_DIR, nullptr);
  std::string path = std::string(QZM_TEST_OUTPUT_DIR) + "/" + name + ".bmp";
  if (FILE* out = std::fopen(path.c_str(), "wb")) {
    std::fwrite(&file, sizeof(file), 1, out);
    std::fwrite(&info.bmiHeader, sizeof(info.bmiHeader), 1, out);
    std::fwrite(bits, imageSize, 1, out);
    std::fclose(out);
  }
  SelectObject(memory, previous);
  DeleteDC(memory);
  DeleteObject(bitmap);
}

void pumpMessages() {
  MSG message{};
  for (int round = 0; round < 20; ++round) {
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&message);
      DispatchMessageW(&message);
    }
    Sleep(20);
  }
}

TEST(PaintingTest, BackgroundIsTheDialogColourAtEverySize) {
  RecordingEditor editor;
  HWND window = editor.create();
  ASSERT_NE(window, nullptr);
  ShowWindow(window, SW_SHOWNORMAL);
  SetForegroundWindow(window);
  RECT start{};
  GetWindowRect(window, &start);

  struct Step {
    const char* name;
    void (*apply)(HWND window, const RECT& start);
  };
  const Step steps[] = {
      {"start", [](HWND, const RECT&) {}},
      {"grown",
       [](HWND window, const RECT& start) {
         SetWindowPos(window, nullptr, start.left - 100, start.top - 80,
                      start.right - start.left + 200, start.bottom - start.top + 160,
                      SWP_NOZORDER | SWP_NOACTIVATE);
       }},
      {"maximized", [](HWND window, const RECT&) { ShowWindow(window, SW_MAXIMIZE); }},
      {"restored", [](HWND window, const RECT&) { ShowWindow(window, SW_RESTORE); }},
  };
  const COLORREF face = GetSysColor(COLOR_BTNFACE);
  for (const Step& step : steps) {
    SCOPED_TRACE(step.name);
    step.apply(window, start);
    RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
    UpdateWindow(window);
    pumpMessages();
    HDC dc = GetDC(window);
    for (const Spot& spot : backgroundSpots(window)) {
      COLORREF colour = GetPixel(dc, spot.point.x, spot.point.y);
      EXPECT_EQ(colour, face) << spot.name << " at " << spot.point.x << "," << spot.point.y
                              << " is " << std::hex << colour;
    }
    saveClientPicture(window, dc, std::string("main-window-") + step.name);
    ReleaseDC(window, dc);
  }
}

}  // namespace
}  // namespace quizmora
