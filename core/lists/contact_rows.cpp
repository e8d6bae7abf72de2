// The digital contact lists (list types 5 and 15): each contact's radio ID, texts, call type and
// call receive tone. Contact lists are the large ones (up to 10000 rows), so the value texts
// are looked up once per file.
#include "base/numbers.h"
#include "schema/cell_text.h"
#include "lists/list_family.h"
#include "schema/record_names.h"

#include <array>

namespace r605 {

namespace {

using F = ListField;

// Private call, group call, all call: the call types of the contact editor.
constexpr std::array kCallTypeTexts{TextKey{10550}, TextKey{10551}, TextKey{10552}};
constexpr std::array kOffOnTexts{TextKey{20050}, TextKey{20085}};

// The contact texts and their lengths in code-page-936 bytes.
struct TextAccess {
    ListField field;
    std::string ContactRec::*member;
    std::size_t length;
};

constexpr std::array<TextAccess, 6> kTexts{{
    {F::Name, &ContactRec::Name, 16},
    {F::Callsign, &ContactRec::Callsign, 8},
    {F::City, &ContactRec::City, 15},
    {F::State, &ContactRec::State, 16},
    {F::Country, &ContactRec::Country, 16},
    {F::Remarks, &ContactRec::Remarks, 16},
}};

// The codeplug file packs a contact's radio ID into 24 bits.
constexpr std::int64_t kMaxContactId = 16777215;

class ContactRows final : public ListFamily {
public:
    explicit ContactRows(const ListContext& context)
        : m_callType(kCallTypeTexts, context.language), m_offOn(kOffOnTexts, context.language) {}

    std::size_t size() const override { return kContactCount; }

    bool inUse(const Codeplug& codeplug, std::size_t entry) const override {
        return codeplug.Contact[entry].Used != 0;
    }

    std::string cell(const Codeplug& codeplug, std::size_t entry, ListField field) const override {
        const ContactRec& contact = codeplug.Contact[entry];
        for (const TextAccess& text : kTexts) {
            if (text.field == field)
                return NameKey(contact.*text.member);
        }
        switch (field) {
        case F::Number:
            return std::to_string(entry + 1);
        case F::Id:
            return std::to_string(contact.Id);
        case F::CallType:
            return m_callType.text(contact.CallType);
        case F::CallReceiveTone:
            return m_offOn.text(contact.Byte80);
        default:
            return {};
        }
    }

    void reset(ImportWorkSet& work) const override {
        work.tables.Contact.make();
        // As a new codeplug holds them: each unused contact carries its own number as its ID.
        for (std::size_t n = 0; n < kContactCount; ++n) {
            ContactRec& contact = work.tables.Contact[n];
            contact = ContactRec{};
            contact.Number = static_cast<std::int32_t>(n + 1);
            contact.Id = contact.Number;
        }
    }

    Status read(const ListRow& row, std::size_t slot, ImportWorkSet& work) const override {
        const ContactRec* kept = work.keptRecord(ListTable::Contacts, work.base->Contact, slot);
        ContactRec contact = kept ? *kept : ContactRec{};
        contact.Number = static_cast<std::int32_t>(slot + 1);
        contact.Used = 1;
        // A contact is a radio ID to call: a new contact without one is no contact.
        const std::string* id = row.cell(F::Id);
        if ((id && trimBlanks(*id).empty()) || (!id && !kept))
            return row.fail(F::Id, "the contact has no radio ID");
        if (id) {
            auto idValue = ParseIntegerCell(*id, 0, kMaxContactId);
            if (!idValue)
                return row.fail(F::Id, idValue.error());
            contact.Id = static_cast<std::int32_t>(*idValue);
        }
        for (const TextAccess& text : kTexts) {
            if (const std::string* cell = row.cell(text.field))
                contact.*text.member = TextFieldCell(*cell, text.length);
        }
        if (const std::string* cell = row.cell(F::CallType)) {
            auto value = m_callType.parse(*cell, 0, 3);
            if (!value)
                return row.fail(F::CallType, value.error());
            contact.CallType = static_cast<std::int16_t>(*value);
        }
        if (const std::string* cell = row.cell(F::CallReceiveTone)) {
            auto value = m_offOn.parse(*cell, 0, 3);
            if (!value)
                return row.fail(F::CallReceiveTone, value.error());
            contact.Byte80 = static_cast<std::int16_t>(*value);
        }
        work.tables.Contact[slot] = std::move(contact);
        return Status::success();
    }

private:
    ValueTexts m_callType;
    ValueTexts m_offOn;
};

} // namespace

std::unique_ptr<ListFamily> MakeContactRows(const ListContext& context) {
    return std::make_unique<ContactRows>(context);
}

} // namespace r605
