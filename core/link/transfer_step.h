#pragma once
// The steps of the transfer sequencer (TransferStep). The numbers are the radio software's own:
// they appear in the communication log and in service notes.

namespace r605::TransferStep {

inline constexpr int Idle = 0;
inline constexpr int ConnectSent = 1;
inline constexpr int Query4Sent = 2;
inline constexpr int ReadingBlocks = 3;
inline constexpr int WritingBlocks = 4;
inline constexpr int IdentifySent = 11;
inline constexpr int Query3Sent = 12;
inline constexpr int RecordingList = 21;
inline constexpr int EndAfterFailure = 68;
inline constexpr int EndAfterSuccess = 69;

} // namespace r605::TransferStep
