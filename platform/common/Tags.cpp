// SPDX-License-Identifier: MIT
// Tag lists.
#include "platform/common/Types.h"

namespace amiga {

namespace {

// The next real tag from `item` on, following TAG_MORE and stepping over TAG_IGNORE and
// TAG_SKIP; null at the end of the list.
const TagItem* NextTag(const TagItem* item)
{
    while (item != nullptr) {
        switch (item->ti_Tag) {
        case TAG_DONE:
            return nullptr;
        case TAG_IGNORE:
            ++item;
            break;
        case TAG_MORE:
            item = reinterpret_cast<const TagItem*>(item->ti_Data);
            break;
        case TAG_SKIP:
            item += 1 + item->ti_Data;
            break;
        default:
            return item;
        }
    }
    return nullptr;
}

} // namespace

const TagItem* FindTagItem(Tag tag, const TagItem* list)
{
    for (const TagItem* item = NextTag(list); item != nullptr; item = NextTag(item + 1)) {
        if (item->ti_Tag == tag) {
            return item;
        }
    }
    return nullptr;
}

IPTR GetTagData(Tag tag, IPTR defaultValue, const TagItem* list)
{
    const TagItem* item = FindTagItem(tag, list);
    return item != nullptr ? item->ti_Data : defaultValue;
}

} // namespace amiga
