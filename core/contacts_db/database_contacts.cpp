#include "contacts_db/database_contacts.h"

#include "document/list_edits.h"
#include "model/reference_repair.h"
#include "schema/typed_columns.h"

#include <algorithm>
#include <array>
#include <utility>

namespace r605 {

namespace {

// Call type 0: a call to one radio, which is what a user database lists. Group calls (1) and
// all calls (2) are the user's own and stay.
constexpr std::int16_t kPrivateCall = 0;

bool isPrivateCall(const ContactRec& contact) {
    return contact.Used > 0 && contact.CallType == kPrivateCall;
}

struct IdPrefix {
    std::int64_t value = 0;
    int digits = 0;
};

int digitCount(std::int64_t value) {
    int digits = 1;
    for (; value >= 10; value /= 10)
        ++digits;
    return digits;
}

bool hasPrefix(std::int32_t id, const IdPrefix& prefix) {
    int surplus = digitCount(id) - prefix.digits;
    if (surplus < 0)
        return false;
    std::int64_t head = id;
    for (; surplus > 0; --surplus)
        head /= 10;
    return head == prefix.value;
}

std::vector<IdPrefix> idPrefixes(const std::vector<std::string>& texts) {
    std::vector<IdPrefix> prefixes;
    for (const std::string& text : texts) {
        IdPrefix prefix;
        for (const char digit : text)
            prefix.value = prefix.value * 10 + (digit - '0');
        prefix.digits = static_cast<int>(text.size());
        // A prefix that is no prefix selects nothing, rather than everything.
        prefixes.push_back(isIdPrefix(text) ? prefix : IdPrefix{-1, 1});
    }
    return prefixes;
}

// Which users a choice selects by country and ID prefix.
class UserFilter {
public:
    UserFilter(const UserDatabase& database, const ContactChoice& choice, ContactPlan& plan)
        : m_prefixes(idPrefixes(choice.prefixes)), m_anyCountry(choice.countries.empty()) {
        m_countries.assign(database.countries().size(), false);
        for (const std::string& name : choice.countries) {
            if (const auto country = database.countryNamed(name))
                m_countries[*country] = true;
            else
                plan.unknownCountries.push_back(name);
        }
    }

    bool selects(const UserLine& user) const {
        if (!m_anyCountry && !m_countries[user.country])
            return false;
        if (m_prefixes.empty())
            return true;
        return std::any_of(m_prefixes.begin(), m_prefixes.end(),
                           [&](const IdPrefix& prefix) { return hasPrefix(user.id, prefix); });
    }

private:
    std::vector<IdPrefix> m_prefixes;
    std::vector<bool> m_countries;
    bool m_anyCountry;
};

// The contact grid's columns that a user's texts go into.
struct TextColumn {
    std::string_view column;
    std::string UserTexts::*text;
};
constexpr std::array kTextColumns{
    TextColumn{"Name", &UserTexts::name},       TextColumn{"Callsign", &UserTexts::callsign},
    TextColumn{"City", &UserTexts::city},       TextColumn{"State", &UserTexts::state},
    TextColumn{"Country", &UserTexts::country}, TextColumn{"Remarks", &UserTexts::remarks},
};

// A new private-call contact in slot `entry` for a user.
Result<ContactRec> contactOf(const UserLine& user, UserTexts texts, std::size_t entry,
                             const Codeplug& codeplug, const ColumnContext& context) {
    const TypedFamilyColumns<Family::Contact>& columns = typedColumnsOf<Family::Contact>();
    if (texts.name.empty())
        texts.name = texts.callsign;
    ContactRec contact;
    contact.Number = static_cast<std::int32_t>(entry + 1);
    contact.Used = 1;
    contact.CallType = kPrivateCall;
    contact.Id = user.id;
    for (const TextColumn& text : kTextColumns) {
        const auto column = columns.columnNamed(text.column);
        if (!column)
            return Error::literal("the contacts have no column " + std::string(text.column));
        if (Status status =
                columns.parseRecord(contact, *column, texts.*text.text, codeplug, context);
            !status)
            return status.error();
    }
    return contact;
}

} // namespace

bool isIdPrefix(std::string_view text) {
    return !text.empty() && text.size() <= 8 &&
           std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

ContactPlan planContacts(const UserDatabase& database, const Codeplug& codeplug,
                         const ContactChoice& choice) {
    ContactPlan plan;
    const bool keep = choice.existing == ExistingContacts::Keep;
    std::size_t used = 0;
    std::vector<std::int32_t> privateIds;
    for (const ContactRec& contact : codeplug.Contact) {
        used += contact.Used > 0 ? 1 : 0;
        if (isPrivateCall(contact))
            privateIds.push_back(contact.Id);
    }
    std::sort(privateIds.begin(), privateIds.end());
    plan.removed = keep ? 0 : privateIds.size();
    plan.room = codeplug.Contact.size() - used + plan.removed;
    if (choice.most)
        plan.room = std::min(plan.room, *choice.most);

    const UserFilter filter(database, choice, plan);
    const std::span<const UserLine> users = database.users();
    std::vector<std::size_t> candidates;
    for (std::size_t k = 0; k < users.size(); ++k) {
        if (!filter.selects(users[k]))
            continue;
        ++plan.matched;
        if (keep && std::binary_search(privateIds.begin(), privateIds.end(), users[k].id)) {
            ++plan.present;
            continue;
        }
        candidates.push_back(k);
    }

    const auto byId = [&](std::size_t a, std::size_t b) { return users[a].id < users[b].id; };
    const std::size_t take = std::min(plan.room, candidates.size());
    const auto cut = candidates.begin() + static_cast<std::ptrdiff_t>(take);
    if (choice.nearId) {
        const std::int64_t near = *choice.nearId;
        const auto distance = [&](std::size_t k) {
            const std::int64_t id = users[k].id;
            return std::pair(id > near ? id - near : near - id, id);
        };
        std::nth_element(candidates.begin(), cut, candidates.end(),
                         [&](std::size_t a, std::size_t b) { return distance(a) < distance(b); });
    } else {
        std::nth_element(candidates.begin(), cut, candidates.end(), byId);
    }
    candidates.erase(cut, candidates.end());
    std::sort(candidates.begin(), candidates.end(), byId);
    plan.taken = std::move(candidates);
    return plan;
}

Result<ContactPlacement> placeContacts(Document& document, const UserDatabase& database,
                                       const ContactChoice& choice, const ColumnContext& context) {
    ContactPlacement placement;
    auto changes = document.apply(EditKind::Import, [&](Codeplug& codeplug) -> Status {
        placement.plan = planContacts(database, codeplug, choice);
        auto& table = codeplug.Contact;
        if (choice.existing == ExistingContacts::Replace) {
            std::vector<std::size_t> replaced;
            for (std::size_t entry = 0; entry < table.size(); ++entry) {
                if (isPrivateCall(table[entry]))
                    replaced.push_back(entry);
            }
            deleteRecordsIn(codeplug, Family::Contact, replaced);
        }
        std::size_t slot = 0;
        for (const std::size_t user : placement.plan.taken) {
            while (slot < table.size() && table[slot].Used > 0)
                ++slot;
            if (slot == table.size())
                return Error::literal("no free contact slot is left");
            const UserLine& line = database.users()[user];
            auto contact = contactOf(line, database.texts(line), slot, codeplug, context);
            if (!contact)
                return contact.error();
            const ContactRec before = std::exchange(table[slot], std::move(*contact));
            RepairContactRefs(codeplug, static_cast<int>(slot + 1), before.Used, before.CallType);
            placement.firstSlot = placement.firstSlot == 0 ? slot + 1 : placement.firstSlot;
            placement.lastSlot = slot + 1;
        }
        return Status::success();
    });
    if (!changes)
        return changes.error();
    placement.changes = std::move(*changes);
    return placement;
}

} // namespace r605
