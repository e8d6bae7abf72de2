// The contact compaction that runs first in encode-all: the radio finds contacts through an
// index of slot numbers, and the encoder stores entry i in slot i, so the used contacts must
// stand at the front of the table without gaps, with every reference following them.
#include "image/family_codecs.h"

#include <algorithm>
#include <utility>
#include <vector>

namespace r605 {

namespace {

constexpr int kQuickCallContactKind = 2;

// Applies an old-entry -> new-entry map to every reference a contact can have: used channels'
// Contact, the members of used receive group lists, quick-call entries of kind 2 (1-based).
// Entries that map to themselves are left alone.
void renumberContactRefs(Codeplug& codeplug, const std::vector<std::int32_t>& newEntryOf) {
    const auto mapped = [&newEntryOf](std::int32_t entry) {
        if (entry < 0 || static_cast<std::size_t>(entry) >= newEntryOf.size())
            return entry;
        return newEntryOf[static_cast<std::size_t>(entry)];
    };
    for (ChannelRec& channel : codeplug.Channel) {
        if (channel.Used >= 1)
            channel.Contact = mapped(channel.Contact);
    }
    for (RxGroupRec& group : codeplug.RxGroup) {
        if (group.Used < 1)
            continue;
        const auto count = static_cast<std::size_t>(
            std::clamp<int>(group.Count, 0, static_cast<int>(kRxGroupMembers)));
        for (std::size_t j = 0; j < count; ++j)
            group.Members[j] = mapped(group.Members[j]);
    }
    for (QuickCallRec& call : codeplug.QuickCall) {
        if (call.Kind == kQuickCallContactKind && call.Contact >= 1)
            call.Contact = mapped(call.Contact - 1) + 1;
    }
}

} // namespace

void ReplaceContactRef(Codeplug& codeplug, int newEntry, int oldEntry) {
    if (oldEntry < 0 || static_cast<std::size_t>(oldEntry) >= kContactCount)
        return;
    std::vector<std::int32_t> newEntryOf(kContactCount);
    for (std::size_t i = 0; i < kContactCount; ++i)
        newEntryOf[i] = static_cast<std::int32_t>(i);
    newEntryOf[static_cast<std::size_t>(oldEntry)] = newEntry;
    renumberContactRefs(codeplug, newEntryOf);
}

// Entry i that is free swaps places with the first used entry j after it, and every reference
// to j becomes i. A reference to j is never touched again (later swaps move entries beyond
// both), and references to free entries never change, so all renumbering is done in one pass at
// the end instead of one pass over all references per swap.
void CompactContacts(Codeplug& codeplug) {
    std::vector<std::int32_t> newEntryOf(kContactCount);
    for (std::size_t i = 0; i < kContactCount; ++i)
        newEntryOf[i] = static_cast<std::int32_t>(i);
    bool moved = false;
    std::size_t j = 0;
    for (std::size_t i = 0; i < kContactCount; ++i) {
        if (codeplug.Contact[i].Used >= 1)
            continue;
        j = std::max(j, i + 1);
        while (j < kContactCount && codeplug.Contact[j].Used < 1)
            ++j;
        if (j >= kContactCount)
            break;
        std::swap(codeplug.Contact[i], codeplug.Contact[j]);
        codeplug.Contact[i].Number = static_cast<std::int32_t>(i + 1);
        codeplug.Contact[j].Number = static_cast<std::int32_t>(j + 1);
        newEntryOf[j] = static_cast<std::int32_t>(i);
        moved = true;
    }
    if (moved)
        renumberContactRefs(codeplug, newEntryOf);
}

} // namespace r605
