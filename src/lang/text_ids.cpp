#include "lang/text_ids.h"

namespace {

#define KOVA_LIST_TEXT_ID(name, id) id,
constexpr int kAllTextIds[] = {KOVA_TEXT_IDS(KOVA_LIST_TEXT_ID)};
#undef KOVA_LIST_TEXT_ID

}  // namespace

std::span<const int> allTextIds() {
    return kAllTextIds;
}
