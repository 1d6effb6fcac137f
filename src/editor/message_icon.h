#pragma once
// The icon of a message box, for every part of the program that asks or tells the author.
// Exclamation and Warning look the same on Windows; the editor's refusals say Exclamation.

namespace quizmora {

enum class MessageIcon { Exclamation, Information, Question, Warning, Error };

}  // namespace quizmora
