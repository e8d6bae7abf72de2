// The digital contact lists (list types 5 and 15): each contact's radio ID, texts, call type and
// call receive tone.
#include "lists/record_rows.h"

#include "base/numbers.h"

namespace r605 {

namespace {

class ContactRows final : public RecordRows<Family::Contact> {
public:
    explicit ContactRows(const ListContext& context) : RecordRows(ListType::Contacts, context) {}

private:
    // As a new codeplug holds them: each unused contact carries its own number as its ID.
    ContactRec fresh(std::size_t slot, const ImportWorkSet&) const override {
        ContactRec contact;
        contact.Number = static_cast<std::int32_t>(slot + 1);
        contact.Id = contact.Number;
        return contact;
    }

    Status readRecord(const ListRow& row, std::size_t slot, ContactRec& contact,
                      ImportWorkSet& work) const override {
        // A contact is a radio ID to call: a new contact without one is no contact.
        const std::string* id = row.cell(ListField::Id);
        if ((id && trimBlanks(*id).empty()) || (!id && !work.keptRecord<Family::Contact>(slot)))
            return row.fail(ListField::Id, "the contact has no radio ID");
        return readCells(row, contact, work);
    }
};

} // namespace

std::unique_ptr<ListFamily> MakeContactRows(const ListContext& context) {
    return std::make_unique<ContactRows>(context);
}

} // namespace r605
