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
inline constexpr std::string_view kConfigurationIsDataList =
    "*** Zvolený súbor je zoznam, nie konfiguračný súbor! ***";
inline constexpr std::string_view kListMissing = "*** Zoznam sa nedá otvoriť! ***";
inline constexpr std::string_view kSendFailed =
    "*** Súbor sa nepodarilo zapísať do prenosného počítača! ***";
inline constexpr std::string_view kSendSucceeded = "Prenos bol úspešne ukončený.";
inline constexpr std::string_view kSearchFailed = "*** CeFindAllFiles failed. ***";
inline constexpr std::string_view kHandheldProgramNotStarted =
    "*** Program prenosného počítača sa nepodarilo spustiť ***";
inline constexpr std::string_view kNoLists = "*** Neexistujú žiadne zoznamy ***";
inline constexpr std::string_view kReceiveFolderUnusable =
    "*** Priečinok príjmu sa nedá vytvoriť ***";
// A receive folder that is, or lies in, the folder playing the handheld: the lists
// would be deleted where they arrive. Followed by the two folders, each on a line.
inline constexpr std::string_view kReceiveFolderInHandheld =
    "*** Zoznamy sa nedajú prijať do priečinka prenosného počítača ***";
inline constexpr std::string_view kReceiveFolderLabel = "Priečinok príjmu: ";
inline constexpr std::string_view kHandheldFolderLabel = "Priečinok prenosného počítača: ";
inline constexpr std::string_view kReceiveSucceeded = "Príjem bol úspešne ukončený.";

// Words printed in documents, with the printf layouts that keep their columns. A
// document is Windows-1250 bytes: these words are ASCII, whose bytes are the same
// in UTF-8 and Windows-1250.

inline constexpr std::string_view kPageNumber = "Strana: %d";
inline constexpr std::string_view kListName = "  Zoznam: %s";
inline constexpr std::string_view kListDate = "Datum: %02d.%02d.%04d";

inline constexpr std::string_view kListingHeading =
    "    C.km. Dr. Sort. Ak  Dlzka Pr/Pm Zk/Kf Hr.st  ks*m3      m3  Mer. Cast     _";
inline constexpr std::string_view kTwoColumnListingHeading =
    " Cis.km. Drev  Ak.  Dl/Pm  Pr/Kf   m3    Cis.km. Drev  Ak.  Dl/Pm  Pr/Kf   m3 _";
// Pieces, average volume of a piece and volume.
inline constexpr std::string_view kLongWoodTotals =
    "Dlhe drevo: %4d ks,    Priem.kubatura:%5.2f m3         %7.2f m3";
// Stacked volume and volume.
inline constexpr std::string_view kStackedWoodTotals =
    "Rovnane drevo:               %7.2f pm                 %7.2f m3";
// Pieces and volume.
inline constexpr std::string_view kSawnTimberTotals =
    "Rezivo:                      %7d ks                  %7.3f m3";

inline constexpr std::string_view kLongWoodSummaryHeading =
    "      ks    Dr    So     Ak    Hs         m3   _";
inline constexpr std::string_view kStackedWoodSummaryHeading =
    "      ks    Dr    So     Ak     pm        m3   _";
inline constexpr std::string_view kSawnTimberSummaryHeading =
    "      ks    Dr    So     Ak    Hr         m3   _";

} // namespace zvk::texts
