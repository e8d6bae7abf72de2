#pragma once
// Where each family lives in the codeplug: the one list of the codeplug's members by family, and
// the walks over them. A new table of the codeplug is added to the family list (family.h) and
// here; every walk over the tables picks it up.

#include "model/codeplug.h"
#include "schema/family.h"

#include <type_traits>
#include <utility>

namespace r605 {

// The codeplug member of a family with storage of its own (views have none).
template <Family F> inline constexpr std::nullptr_t kMemberOf = nullptr;
template <> inline constexpr auto kMemberOf<Family::Channel> = &Codeplug::Channel;
template <> inline constexpr auto kMemberOf<Family::Person> = &Codeplug::Person;
template <> inline constexpr auto kMemberOf<Family::Zone> = &Codeplug::Zone;
template <> inline constexpr auto kMemberOf<Family::ScanList> = &Codeplug::ScanList;
template <> inline constexpr auto kMemberOf<Family::PhoneBook> = &Codeplug::PhoneBook;
template <> inline constexpr auto kMemberOf<Family::Contact> = &Codeplug::Contact;
template <> inline constexpr auto kMemberOf<Family::RoamZone> = &Codeplug::RoamZone;
template <> inline constexpr auto kMemberOf<Family::RoamChannel> = &Codeplug::RoamChannel;
template <> inline constexpr auto kMemberOf<Family::CallLog1> = &Codeplug::CallLog1;
template <> inline constexpr auto kMemberOf<Family::TextMessage1> = &Codeplug::TextMessage1;
template <> inline constexpr auto kMemberOf<Family::Arc4Key> = &Codeplug::Arc4Key;
template <> inline constexpr auto kMemberOf<Family::TextMessage2> = &Codeplug::TextMessage2;
template <> inline constexpr auto kMemberOf<Family::TextMessage3> = &Codeplug::TextMessage3;
template <> inline constexpr auto kMemberOf<Family::Recording> = &Codeplug::Recording;
template <> inline constexpr auto kMemberOf<Family::RxGroup> = &Codeplug::RxGroup;
template <> inline constexpr auto kMemberOf<Family::EmgCode> = &Codeplug::EMG_Code;
template <> inline constexpr auto kMemberOf<Family::RepeaterOffset> = &Codeplug::RepeaterOffset;
template <> inline constexpr auto kMemberOf<Family::AesKey> = &Codeplug::AesKey;
template <> inline constexpr auto kMemberOf<Family::Header> = &Codeplug::Header;
template <> inline constexpr auto kMemberOf<Family::Dtmf> = &Codeplug::Dtmf;
template <> inline constexpr auto kMemberOf<Family::Settings> = &Codeplug::Settings;
template <> inline constexpr auto kMemberOf<Family::EmbeddedInfo> = &Codeplug::EmbeddedInfo;
template <> inline constexpr auto kMemberOf<Family::Aprs> = &Codeplug::Aprs;
template <> inline constexpr auto kMemberOf<Family::AprsCompanion> = &Codeplug::AprsCompanion;
template <> inline constexpr auto kMemberOf<Family::UserToneSet> = &Codeplug::UserToneSet;
template <> inline constexpr auto kMemberOf<Family::Option> = &Codeplug::Option;
template <> inline constexpr auto kMemberOf<Family::FiveTone> = &Codeplug::FiveTone;
template <> inline constexpr auto kMemberOf<Family::TwoTone> = &Codeplug::TwoTone;
template <> inline constexpr auto kMemberOf<Family::Alarm> = &Codeplug::Alarm;
template <> inline constexpr auto kMemberOf<Family::OneKey> = &Codeplug::OneKey;
template <> inline constexpr auto kMemberOf<Family::QuickCall> = &Codeplug::QuickCall;
template <> inline constexpr auto kMemberOf<Family::AlertTonePatterns> =
    &Codeplug::AlertTonePatterns;
template <> inline constexpr auto kMemberOf<Family::CallLog2> = &Codeplug::CallLog2;
template <> inline constexpr auto kMemberOf<Family::CallLog3> = &Codeplug::CallLog3;
template <> inline constexpr auto kMemberOf<Family::TextMessage4> = &Codeplug::TextMessage4;
template <> inline constexpr auto kMemberOf<Family::RecordingIndex> = &Codeplug::RecordingIndex;
template <> inline constexpr auto kMemberOf<Family::TwoToneEntry> = &Codeplug::TwoToneEntry;

template <Family F> inline constexpr bool kHasStorage =
    !std::is_same_v<std::remove_cv_t<decltype(kMemberOf<F>)>, std::nullptr_t>;

// The family's member (a Table or a single record) of a codeplug, const or not.
template <Family F, class CP> auto& member(CP& codeplug) {
    static_assert(kHasStorage<F>, "the family has no storage of its own");
    return codeplug.*kMemberOf<F>;
}

template <class T> struct IsTable : std::false_type {};
template <class R, std::size_t N> struct IsTable<Table<R, N>> : std::true_type {};
template <class T> inline constexpr bool kIsTable = IsTable<std::remove_cvref_t<T>>::value;

// The record type of a family's member.
template <class M> struct RecordOfMember {
    using type = M;
};
template <class R, std::size_t N> struct RecordOfMember<Table<R, N>> {
    using type = R;
};
template <Family F>
using RecordOf = typename RecordOfMember<std::remove_cvref_t<decltype(member<F>(
    std::declval<Codeplug&>()))>>::type;

namespace detail {

template <class CP, class Visit, std::size_t... I>
void visitMember(CP& codeplug, Family family, Visit& visit, std::index_sequence<I...>) {
    const auto one = [&]<std::size_t N>() {
        constexpr Family F = static_cast<Family>(N);
        if constexpr (kHasStorage<F>) {
            if (family == F)
                visit(member<F>(codeplug));
        }
    };
    (one.template operator()<I>(), ...);
}

template <class CP, class Visit, std::size_t... I>
void visitEveryMember(CP& codeplug, Visit& visit, std::index_sequence<I...>) {
    const auto one = [&]<std::size_t N>() {
        constexpr Family F = static_cast<Family>(N);
        if constexpr (kHasStorage<F>)
            visit(familyInfo(F), member<F>(codeplug));
    };
    (one.template operator()<I>(), ...);
}

template <class A, class B, class Visit, std::size_t... I>
void visitMemberPairs(A& a, B& b, Visit& visit, std::index_sequence<I...>) {
    const auto one = [&]<std::size_t N>() {
        constexpr Family F = static_cast<Family>(N);
        if constexpr (kHasStorage<F>)
            visit(familyInfo(F), member<F>(a), member<F>(b));
    };
    (one.template operator()<I>(), ...);
}

} // namespace detail

// Calls visit(member) with the family's Table or single record; views call nothing.
template <class CP, class Visit> void visitFamily(CP& codeplug, Family family, Visit&& visit) {
    detail::visitMember(codeplug, family, visit, std::make_index_sequence<kFamilyCount>());
}

// Calls visit(info, member) for every family with storage, in family order.
template <class CP, class Visit> void forEachFamily(CP& codeplug, Visit&& visit) {
    detail::visitEveryMember(codeplug, visit, std::make_index_sequence<kFamilyCount>());
}

// Calls visit(info, memberOfA, memberOfB) for every family with storage, in family order.
template <class A, class B, class Visit> void forEachFamilyPair(A& a, B& b, Visit&& visit) {
    detail::visitMemberPairs(a, b, visit, std::make_index_sequence<kFamilyCount>());
}

// Whether a record counts as in use by its family's rule.
template <class R> bool recordInUse(const R& record) {
    if constexpr (requires { record.Used; })
        return record.Used >= 1;
    else if constexpr (requires { record.KeyId; })
        return record.KeyId != 0;
    else
        return true;
}

} // namespace r605
