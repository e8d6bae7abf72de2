// The phone book (list type 4): telephone numbers dialled through a DTMF interconnect, each with
// a name.
#include "base/numbers.h"
#include "schema/cell_text.h"
#include "lists/list_family.h"
#include "schema/record_names.h"

namespace r605 {

namespace {

using F = ListField;

constexpr std::size_t kPhoneNumberLength = 16;

class PhoneBookRows final : public ListFamily {
public:
    std::size_t size() const override { return kPhoneBookCount; }

    bool inUse(const Codeplug& codeplug, std::size_t entry) const override {
        return codeplug.PhoneBook[entry].Used != 0;
    }

    std::string cell(const Codeplug& codeplug, std::size_t entry, ListField field) const override {
        const PhoneBookRec& record = codeplug.PhoneBook[entry];
        switch (field) {
        case F::Number:
            return std::to_string(entry + 1);
        case F::PhoneNumber:
            return NameKey(record.PhoneNumber);
        case F::Name:
            return NameKey(record.Name);
        default:
            return {};
        }
    }

    void reset(ImportWorkSet& work) const override {
        work.tables.PhoneBook.make();
        for (std::size_t n = 0; n < kPhoneBookCount; ++n) {
            work.tables.PhoneBook[n] = PhoneBookRec{};
            work.tables.PhoneBook[n].Number = static_cast<std::int16_t>(n + 1);
        }
    }

    Status read(const ListRow& row, std::size_t slot, ImportWorkSet& work) const override {
        const PhoneBookRec* kept =
            work.keptRecord(ListTable::PhoneBook, work.base->PhoneBook, slot);
        PhoneBookRec record = kept ? *kept : PhoneBookRec{};
        record.Number = static_cast<std::int16_t>(slot + 1);
        record.Used = 1;
        if (const std::string* cell = row.cell(F::PhoneNumber)) {
            // What a DTMF keypad can dial.
            const std::string_view number = trimBlanks(*cell);
            if (number.size() > kPhoneNumberLength ||
                number.find_first_not_of("0123456789*#") != std::string_view::npos)
                return row.fail(F::PhoneNumber, "not a telephone number of up to 16 digits, * "
                                                "and #: \"" +
                                                    std::string(number) + "\"");
            record.PhoneNumber = std::string(number);
        }
        if (const std::string* cell = row.cell(F::Name))
            record.Name = TextFieldCell(*cell, 16);
        work.tables.PhoneBook[slot] = std::move(record);
        return Status::success();
    }
};

} // namespace

std::unique_ptr<ListFamily> MakePhoneBookRows(const ListContext&) {
    return std::make_unique<PhoneBookRows>();
}

} // namespace r605
