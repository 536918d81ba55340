#pragma once

#include <string_view>

// The texts that the window and zvk share, in the program's language (UTF-8 here;
// the window shows them as they are).
namespace zvk::texts {

inline constexpr std::string_view kCaptionError = "Chyba!";
inline constexpr std::string_view kCaptionNotice = "Oznam";
inline constexpr std::string_view kCaptionWarning = "Pozor!";

inline constexpr std::string_view kStatusIdle = "Stav:";
inline constexpr std::string_view kStatusSendingConfiguration = "Stav: Prenos konfigurácie...";
inline constexpr std::string_view kStatusPreparingExport = "Stav: Vytváranie súborov...";
inline constexpr std::string_view kStatusReceiving = "Stav: Príjem dát...";

// The handheld cannot be used: followed on a line of its own by the reason.
inline constexpr std::string_view kHandheldUnavailable =
    "*** Prenosný počítač nie je k dispozícii ***";
inline constexpr std::string_view kHandheldBusy =
    "*** Prenosný počítač práve používa iný prenos ***";
inline constexpr std::string_view kHandheldNotConnected =
    "Pripojte počítač pomocou Microsoft ActiveSync a znova spustite prenosový program!";
inline constexpr std::string_view kConfigurationMissing = "*** Konfiguračný súbor chýba! ***";
inline constexpr std::string_view kListMissing = "*** Zoznam sa nedá otvoriť! ***";
inline constexpr std::string_view kSendFailed =
    "*** Súbor sa nepodarilo zapísať do prenosného počítača! ***";
inline constexpr std::string_view kSendSucceeded = "Prenos bol úspešne ukončený.";
inline constexpr std::string_view kSearchFailed = "*** CeFindAllFiles failed. ***";
inline constexpr std::string_view kNoLists = "*** Neexistujú žiadne zoznamy ***";
inline constexpr std::string_view kReceiveSucceeded = "Príjem bol úspešne ukončený.";

} // namespace zvk::texts
