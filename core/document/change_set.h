#pragma once
// A change set: every record an edit touched, with its value before and after, family by family.
// Undo writes the values before back, redo the values after; both give back exactly the tables
// the codeplug held. Records an edit left as they were are not held, so a change set costs what
// it changed, not what the codeplug holds.

#include "model/codeplug.h"
#include "schema/family.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

namespace r605 {

// The records of one family that changed.
class FamilyChange {
public:
    explicit FamilyChange(Family family) : m_family(family) {}
    virtual ~FamilyChange() = default;

    Family family() const { return m_family; }
    // Entries (0-based; 0 for single records) in ascending order.
    virtual std::vector<std::size_t> entries() const = 0;
    virtual void writeBefore(Codeplug& codeplug) const = 0;
    virtual void writeAfter(Codeplug& codeplug) const = 0;

private:
    Family m_family;
};

// What the user did, for the Edit menu's "Undo ..." and "Redo ..." items.
enum class EditKind : std::uint8_t {
    EditCell,
    EditRecord,
    Delete,
    Cut,
    Paste,
    MoveZone,
    Import,
    NewCodeplug,
    LoadFile,
    ReadRadio,
    CompactContacts,
    Other,
};

class ChangeSet {
public:
    ChangeSet() = default;
    explicit ChangeSet(EditKind kind) : m_kind(kind) {}
    ChangeSet(ChangeSet&&) noexcept = default;
    ChangeSet& operator=(ChangeSet&&) noexcept = default;

    EditKind kind() const { return m_kind; }
    bool empty() const { return m_families.empty(); }

    const std::vector<std::unique_ptr<FamilyChange>>& families() const { return m_families; }
    bool touches(Family family) const;
    // The changed entries of a family, ascending; empty when it did not change.
    std::vector<std::size_t> entries(Family family) const;

    void undo(Codeplug& codeplug) const;
    void redo(Codeplug& codeplug) const;

    // The records that differ between two codeplugs, as the change from `before` to `after`.
    static ChangeSet between(const Codeplug& before, const Codeplug& after, EditKind kind);

private:
    EditKind m_kind = EditKind::Other;
    std::vector<std::unique_ptr<FamilyChange>> m_families;
};

} // namespace r605
