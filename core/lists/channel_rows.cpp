// The channel list (list type 0): one row per channel in use, through the channel columns. What
// is particular to the file: a new channel starts from the template channel, the references wait
// as names, and in tool mode the transmit contact's and radio ID's numbers stand beside their
// names to tell apart records that share one.
#include "lists/record_rows.h"

#include "base/numbers.h"
#include "rules/tone_text.h"
#include "schema/cell_text.h"
#include "text/language.h"

#include <optional>

namespace r605 {

namespace {

using F = ListField;

class ChannelRows final : public RecordRows<Family::Channel> {
public:
    explicit ChannelRows(const ListContext& context)
        : RecordRows(ListType::Channels, context), m_contacts(*columnsOf(Family::Contact)),
          m_persons(*columnsOf(Family::Person)), m_contactId(*m_contacts.columnNamed("Id")),
          m_personId(*m_persons.columnNamed("Id")) {}

private:
    ChannelRec fresh(std::size_t slot, const ImportWorkSet&) const override {
        ChannelRec channel = m_context.defaultChannel;
        channel.Number = static_cast<std::int16_t>(slot + 1);
        return channel;
    }

    void resetReferences(ImportWorkSet& work) const override {
        work.channelRefs.assign(kChannelCount, ChannelRefs{});
    }

    // Tool mode: the radio ID of the transmit contact, the number of the channel's radio ID.
    std::string fileCell(const Codeplug& codeplug, std::size_t entry,
                         ListField field) const override {
        const ChannelRec& channel = codeplug.Channel[entry];
        const bool contact = field == F::TxContactId;
        if (!contact && field != F::RadioIdNumber)
            return {};
        const FamilyColumns& target = contact ? m_contacts : m_persons;
        const auto targetEntry =
            static_cast<std::size_t>(contact ? channel.Contact : channel.RadioId);
        if (!target.inUse(codeplug, targetEntry))
            return {};
        return target.format(codeplug, targetEntry, contact ? m_contactId : m_personId, m_cells);
    }

    Status readRecord(const ListRow& row, std::size_t slot, ChannelRec& channel,
                      ImportWorkSet& work) const override {
        // The user-defined tone first, so that a tone cell naming one (a frequency that is no
        // standard tone) sets it; a blank cell keeps the channel's.
        if (const std::string* tone = row.cell(F::UserCtcss); tone && !trimBlanks(*tone).empty()) {
            if (Status status = readCell(row, F::UserCtcss, channel, work); !status)
                return status;
        }
        if (Status status = readCells(row, channel, work, F::UserCtcss); !status)
            return status;
        if (Status status = checkUserTones(row); !status)
            return status;
        return readReferences(row, work.channelRefs[slot]);
    }

    // Both directions share the channel's one user-defined tone: two tone cells that name
    // different ones cannot both be kept.
    Status checkUserTones(const ListRow& row) const {
        std::optional<std::uint16_t> custom;
        for (const ListField field : {F::RxTone, F::TxTone}) {
            const std::string* cell = row.cell(field);
            if (!cell)
                continue;
            const auto parsed = ParseToneText(*cell, m_context.language);
            if (!parsed || !parsed->customCtcss)
                continue;
            if (custom && *custom != *parsed->customCtcss)
                return row.fail(field, "the receive and transmit tones ask for two different "
                                       "user-defined tones; a channel holds one");
            custom = parsed->customCtcss;
        }
        return Status::success();
    }

    // A name, with the record's radio ID beside it in tool mode to tell apart records that
    // share a name.
    static Result<std::optional<PendingRef>> named(const ListRow& row, ListField nameField,
                                                   ListField idField) {
        const std::string* name = row.cell(nameField);
        const std::string* id = row.cell(idField);
        if (!name && !id)
            return std::optional<PendingRef>();
        PendingRef ref;
        ref.text = name ? std::string(trimBlanks(*name)) : std::string();
        ref.origin = row.origin(name ? nameField : idField);
        if (id && !trimBlanks(*id).empty()) {
            auto number = cells::integer(*id, 0, 99999999);
            if (!number)
                return row.fail(idField, number.error());
            ref.id = *number;
        }
        return std::optional<PendingRef>(std::move(ref));
    }

    static Status readReferences(const ListRow& row, ChannelRefs& refs) {
        auto contact = named(row, F::TxContact, F::TxContactId);
        if (!contact)
            return contact.error();
        refs.contact = std::move(*contact);
        auto radioId = named(row, F::RadioId, F::RadioIdNumber);
        if (!radioId)
            return radioId.error();
        refs.radioId = std::move(*radioId);
        refs.rxGroup = pending(row, F::ChannelRxGroup);
        refs.scanLists = pendingMembers(row, F::ChannelScanLists);
        return Status::success();
    }

    const FamilyColumns& m_contacts;
    const FamilyColumns& m_persons;
    std::size_t m_contactId;
    std::size_t m_personId;
};

} // namespace

std::unique_ptr<ListFamily> MakeChannelRows(const ListContext& context) {
    return std::make_unique<ChannelRows>(context);
}

} // namespace r605
