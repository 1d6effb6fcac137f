// Writes a generated exam file for the server's load test:
//   qzm_make_exam QUESTIONS OUT.qzm
#include <cstdio>
#include <cstdlib>
#include <filesystem>

#include "format/exam_file_writer.h"
#include "generated_exam.h"

int main(int argc, char** argv) {
  if (argc != 3 || std::atoi(argv[1]) < 0) {
    std::fprintf(stderr, "usage: qzm_make_exam QUESTIONS OUT.qzm\n");
    return 64;
  }
  const quizmora::ExamDocument exam =
      quizmora::generateExam(std::atoi(argv[1]), quizmora::kGeneratedExamSeed);
  if (!quizmora::writeExamFile(argv[2], quizmora::composeExamText(exam))) {
    std::fprintf(stderr, "qzm_make_exam: cannot write %s\n", argv[2]);
    return 2;
  }
  return 0;
}
