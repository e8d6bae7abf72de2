// The DTMF code list (list type 11): the sixteen codes that channels select, by number, with
// their digits. A code without digits is not in use.
#include "base/numbers.h"
#include "schema/cell_text.h"
#include "lists/list_family.h"

#include <algorithm>
#include <cctype>

namespace r605 {

namespace {

using F = ListField;

std::string digitsOf(const DigitCode& code) {
    const auto count = static_cast<std::size_t>(std::clamp<int>(code.Count, 0, 16));
    return code.Digits.substr(0, std::min(count, code.Digits.size()));
}

class DtmfCodeRows final : public ListFamily {
public:
    std::size_t size() const override { return kDtmfCodes; }

    bool inUse(const Codeplug& codeplug, std::size_t entry) const override {
        return !digitsOf(codeplug.Dtmf.Codes[entry]).empty();
    }

    std::string cell(const Codeplug& codeplug, std::size_t entry, ListField field) const override {
        if (field == F::Number)
            return std::to_string(entry + 1);
        if (field == F::CodeValue)
            return digitsOf(codeplug.Dtmf.Codes[entry]);
        return {};
    }

    void reset(ImportWorkSet& work) const override {
        work.tables.DtmfCodes.make();
        for (DigitCode& code : work.tables.DtmfCodes.table())
            code = DigitCode{};
    }

    Status read(const ListRow& row, std::size_t slot, ImportWorkSet& work) const override {
        DigitCode code;
        if (const std::string* cell = row.cell(F::CodeValue)) {
            // The radio keeps one hexadecimal digit per byte, at most 16.
            const std::string_view digits = trimBlanks(*cell);
            if (digits.size() > 16)
                return row.fail(F::CodeValue, "a code holds at most 16 digits");
            for (const char c : digits) {
                if (!std::isxdigit(static_cast<unsigned char>(c)))
                    return row.fail(F::CodeValue, "not a code of digits 0-9 and A-F: \"" +
                                                      std::string(digits) + "\"");
                code.Digits.push_back(
                    static_cast<char>(std::toupper(static_cast<unsigned char>(c))));
            }
            code.Count = static_cast<std::int16_t>(code.Digits.size());
        }
        work.tables.DtmfCodes[slot] = std::move(code);
        return Status::success();
    }
};

} // namespace

std::unique_ptr<ListFamily> MakeDtmfCodeRows(const ListContext&) {
    return std::make_unique<DtmfCodeRows>();
}

} // namespace r605
