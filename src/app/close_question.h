#pragma once

#include <functional>
#include <string>

#include "lang/text_table.h"

// The question asked before a modified document's window closes, and what its
// answer leads to.

enum class SaveAnswer { Yes, No, Cancel };

// Text(20025) + " " + title + " ?".
std::string saveChangesQuestion(const TextTable& texts, const std::string& title);

// Whether the window may close. An unmodified document closes without a
// question; otherwise Yes saves and closes only when the save succeeded, No
// closes without saving and Cancel keeps the window open.
bool mayCloseDocument(bool modified, const std::function<SaveAnswer()>& ask,
                      const std::function<bool()>& save);
