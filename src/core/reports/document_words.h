#pragma once

#include <string_view>

// Words printed in documents, with the printf layouts that keep their columns. A
// document is Windows-1250 bytes: these words are ASCII, whose bytes are the same
// in UTF-8 and Windows-1250.
namespace zvk::document_words {

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

} // namespace zvk::document_words
