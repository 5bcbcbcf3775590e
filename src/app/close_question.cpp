#include "app/close_question.h"

#include "lang/text_ids.h"

std::string saveChangesQuestion(const TextTable& texts, const std::string& title) {
    return texts.text(textid::kSaveChangesQuestion) + " " + title + " ?";
}

bool mayCloseDocument(bool modified, const std::function<SaveAnswer()>& ask,
                      const std::function<bool()>& save) {
    if (!modified) return true;
    switch (ask()) {
        case SaveAnswer::Yes:
            return save();
        case SaveAnswer::No:
            return true;
        case SaveAnswer::Cancel:
            break;
    }
    return false;
}
