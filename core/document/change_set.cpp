#include "document/change_set.h"

#include "schema/family_tables.h"

#include <algorithm>

namespace r605 {

namespace {

template <Family F> class RecordChanges final : public FamilyChange {
public:
    using Record = RecordOf<F>;
    struct Entry {
        std::size_t entry;
        Record before;
        Record after;
    };

    RecordChanges() : FamilyChange(F) {}

    std::vector<std::size_t> entries() const override {
        std::vector<std::size_t> result;
        result.reserve(m_entries.size());
        for (const Entry& e : m_entries)
            result.push_back(e.entry);
        return result;
    }
    void writeBefore(Codeplug& codeplug) const override { write(codeplug, &Entry::before); }
    void writeAfter(Codeplug& codeplug) const override { write(codeplug, &Entry::after); }

    void add(std::size_t entry, const Record& before, const Record& after) {
        m_entries.push_back(Entry{entry, before, after});
    }
    bool empty() const { return m_entries.empty(); }

private:
    void write(Codeplug& codeplug, Record Entry::*value) const {
        auto& target = member<F>(codeplug);
        for (const Entry& e : m_entries) {
            if constexpr (kIsTable<decltype(target)>)
                target[e.entry] = e.*value;
            else
                target = e.*value;
        }
    }

    std::vector<Entry> m_entries;
};

template <Family F>
void collect(const Codeplug& before, const Codeplug& after,
             std::vector<std::unique_ptr<FamilyChange>>& families) {
    const auto& a = member<F>(before);
    const auto& b = member<F>(after);
    auto changes = std::make_unique<RecordChanges<F>>();
    if constexpr (kIsTable<decltype(a)>) {
        for (std::size_t i = 0; i < a.size(); ++i) {
            if (!(a[i] == b[i]))
                changes->add(i, a[i], b[i]);
        }
    } else if (!(a == b)) {
        changes->add(0, a, b);
    }
    if (!changes->empty())
        families.push_back(std::move(changes));
}

template <std::size_t... I>
void collectAll(const Codeplug& before, const Codeplug& after,
                std::vector<std::unique_ptr<FamilyChange>>& families, std::index_sequence<I...>) {
    const auto one = [&]<std::size_t N>() {
        constexpr Family F = static_cast<Family>(N);
        if constexpr (kHasStorage<F>)
            collect<F>(before, after, families);
    };
    (one.template operator()<I>(), ...);
}

} // namespace

bool ChangeSet::touches(Family family) const {
    return std::any_of(m_families.begin(), m_families.end(),
                       [family](const auto& change) { return change->family() == family; });
}

std::vector<std::size_t> ChangeSet::entries(Family family) const {
    for (const auto& change : m_families) {
        if (change->family() == family)
            return change->entries();
    }
    return {};
}

void ChangeSet::undo(Codeplug& codeplug) const {
    for (auto change = m_families.rbegin(); change != m_families.rend(); ++change)
        (*change)->writeBefore(codeplug);
}

void ChangeSet::redo(Codeplug& codeplug) const {
    for (const auto& change : m_families)
        change->writeAfter(codeplug);
}

ChangeSet ChangeSet::between(const Codeplug& before, const Codeplug& after, EditKind kind) {
    ChangeSet changes(kind);
    collectAll(before, after, changes.m_families, std::make_index_sequence<kFamilyCount>());
    return changes;
}

} // namespace r605
