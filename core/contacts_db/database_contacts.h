#pragma once
// Contacts taken from a DMR user database into the codeplug's 10000 contact slots: the users of
// some countries, of some ID prefixes, or the IDs nearest to the user's own radio ID, as many as
// there is room for. Group-call contacts are never touched. The existing private-call contacts
// either stay with every reference to them (an ID they hold is not added twice), or are replaced:
// taken out as the grid's Delete takes them out, references repaired, before the new ones come in.
// The whole placement is one edit of the document, undone in one step.

#include "contacts_db/user_database.h"
#include "document/document.h"
#include "schema/column.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace r605 {

enum class ExistingContacts : std::uint8_t { Keep, Replace };

struct ContactChoice {
    std::vector<std::string> countries{}; // users of any of them; none: every country
    std::vector<std::string> prefixes{};  // IDs whose decimal digits start so; none: every ID
    std::optional<std::int32_t> nearId{}; // the IDs nearest to this one, instead of the lowest
    std::optional<std::size_t> most{};    // at most this many contacts
    ExistingContacts existing = ExistingContacts::Keep;
};

// What a choice takes from a database into a codeplug.
struct ContactPlan {
    // The users (indices into UserDatabase::users()) that become contacts, ascending by ID.
    std::vector<std::size_t> taken;
    std::size_t matched = 0; // users the choice selects
    std::size_t present = 0; // of those, IDs the kept private contacts hold already
    std::size_t room = 0;    // contacts the codeplug takes: its free slots, or `most` when fewer
    std::size_t removed = 0; // private contacts a replacement takes out
    std::vector<std::string> unknownCountries; // countries of the choice no line names
};

// An ID prefix is one to eight decimal digits.
bool isIdPrefix(std::string_view text);

ContactPlan planContacts(const UserDatabase& database, const Codeplug& codeplug,
                         const ContactChoice& choice);

struct ContactPlacement {
    ContactPlan plan;
    ChangeSet changes;
    std::size_t firstSlot = 0; // 1-based numbers of the first and last slot filled (0: none)
    std::size_t lastSlot = 0;
};

// Plans on the document's codeplug and places the contacts in its free slots, lowest first, as
// one edit (EditKind::Import). Each text is cut to its contact field's length in whole
// characters, as the contact grid cuts what is typed into it; the name is the user's name (or
// first and last name), the callsign when the database gives no name.
Result<ContactPlacement> placeContacts(Document& document, const UserDatabase& database,
                                       const ContactChoice& choice, const ColumnContext& context);

} // namespace r605
