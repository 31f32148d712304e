// The three suite libraries as this library calls them.
//
// Every call is stdcall and returns a signed 16-bit code (0 = success; any
// other value ends the calling export and is returned by it unchanged).
// 16-bit arguments take a full 32-bit slot and only their low half counts.
// A text "passed by value" crosses as a pointer to a zero-terminated text;
// the callee copies what it keeps. Buffers are ours, with the capacities
// given by the suite::k* constants.
#pragma once

#include <cstdint>

#ifdef _WIN32
#define DREMOXA7_SUITE_CALL __stdcall
#else
#define DREMOXA7_SUITE_CALL
#endif

namespace dremoxa7::suite {
inline constexpr int kTitleCapacity = 80;
inline constexpr int kExeNameCapacity = 64;
inline constexpr int kInstallPathCapacity = 288;
inline constexpr int kShortPacNameCapacity = 32;
inline constexpr int kWork1PathCapacity = 300;
inline constexpr int kWork1TextCapacity = 64;
inline constexpr int kWork1ShortCapacity = 32;
inline constexpr int kVersionLongCapacity = 32;
inline constexpr int kVersionShortCapacity = 16;
inline constexpr int kCpuSpecRecordSize = 40;
inline constexpr int kCodeInfoRecordSize = 32;
}  // namespace dremoxa7::suite

extern "C" {
// ZorComInfo7.dll
std::int16_t DREMOXA7_SUITE_CALL GetZorFuncWinTitle(std::int16_t series, std::int16_t function,
                                                    char* title);
std::int16_t DREMOXA7_SUITE_CALL QGetZorFuncWinTitle(std::int16_t series, std::int16_t function,
                                                     char* title);
std::int16_t DREMOXA7_SUITE_CALL GetZorExeNo(std::int16_t function, std::int16_t* number);
std::int16_t DREMOXA7_SUITE_CALL GetZorExeName(std::int16_t number, char* name, char* text2,
                                               char* text3);
std::int16_t DREMOXA7_SUITE_CALL GetZorInstallPath(std::int16_t series, std::int16_t* value,
                                                   char* directory);
std::int16_t DREMOXA7_SUITE_CALL QGetZorInstallPath(std::int16_t series, std::int16_t* value,
                                                    char* directory);
std::int16_t DREMOXA7_SUITE_CALL AGetZorInstallPath(std::int16_t series, std::int16_t* value,
                                                    char* directory);
std::int16_t DREMOXA7_SUITE_CALL GetZorShortPacName(std::int16_t series, char* name);
std::int16_t DREMOXA7_SUITE_CALL GetZorWork1Info(std::int16_t selector, std::int16_t* flag,
                                                 char* path, char* text1, char* display,
                                                 char* text3);
std::int16_t DREMOXA7_SUITE_CALL GetZorVerFileInfo(std::int16_t series, char* field1, char* field2,
                                                   char* field3, char* field4);
std::int16_t DREMOXA7_SUITE_CALL ZorFileRead2(const char* path, std::int32_t offset,
                                              std::int32_t length, void* buffer);
std::int16_t DREMOXA7_SUITE_CALL ZorFileRead(const char* path, std::int32_t offset,
                                             std::int32_t length, void* buffer);

// cpuspec.dll
std::int16_t DREMOXA7_SUITE_CALL CDbCpuSpec(std::int16_t cpuType, std::int32_t qualifier,
                                            void* record);

// codedb.dll
std::int16_t DREMOXA7_SUITE_CALL QHA_CodeToMCode(std::int16_t kind, std::int16_t typeCode,
                                                 std::int32_t* converted);
std::int16_t DREMOXA7_SUITE_CALL M_Codeinf(std::int32_t converted, void* record);
}
