// Settings of the entry edit's optional features. The translation field runs
// with all of them off; they exist with their defaults because stored layouts
// name some of them (Lookup.Separator, LabelFont) and because the state rules
// consult a few (Prefix, Suffix, ShowError, ShowURL). Plain records: only the
// fields with a write rule get a setter.
#pragma once

#include "base/Color.h"

#include <string>
#include <vector>

namespace kalmo {

enum class TLabelPosition { lpLeftTop };
enum class TPrecisionDisplay { pdNormal, pdShortest };
enum class TPersistenceLocation { plInifile, plRegistry };

// The lookup (auto-completion) list.
class TLookupSettings {
public:
    bool Enabled = false;
    bool CaseSensitive = false;
    ColorValue Color = clWindow;
    std::vector<std::string> DisplayList;
    std::vector<std::string> ValueList;
    bool History = false;
    bool Multi = false;
    std::string Separator = ";";

    int DisplayCount() const { return displayCount_; }
    void SetDisplayCount(int rows)
    {
        if (rows > 0)
            displayCount_ = rows;
    }
    int NumChars() const { return numChars_; }
    void SetNumChars(int count)
    {
        if (count >= 1)
            numChars_ = count;
    }

private:
    int displayCount_ = 4;
    int numChars_ = 2;
};

// Saving and restoring the text between runs.
struct TPersistence {
    bool Enable = false;
    std::string Key;
    std::string Section;
    TPersistenceLocation Location = TPersistenceLocation::plInifile;
};

// The caption label's font; an empty name and a height of 0 mean the parent's.
struct TLabelFont {
    std::string Name;
    int Height = 0;
    ColorValue Color = clWindowText;
    bool Bold = false;
};

struct TEntryEditFeatures {
    // Caption label
    std::string LabelCaption;
    TLabelPosition LabelPosition = TLabelPosition::lpLeftTop;
    int LabelMargin = 4;
    bool LabelTransparent = false;
    bool LabelAlwaysEnabled = false;
    TLabelFont LabelFont;
    bool FocusLabel = false;
    // Lookup list and saved state
    TLookupSettings Lookup;
    TPersistence Persistence;
    // Numeric and formatted types
    int Precision = 0;
    TPrecisionDisplay PrecisionDisplay = TPrecisionDisplay::pdNormal;
    bool Signed = false;
    bool AutoThousandSeparator = true;
    bool ExcelStyleDecimalSeparator = false;
    bool AllowNumericNullValue = false;
    std::string ValidChars;
    // Fixed text around the value
    std::string Prefix;
    std::string Suffix;
    // Placeholder and length
    std::string EmptyText;
    int LengthLimit = 0;
    bool TabOnFullLength = false;
    // Error display
    bool ShowError = false;
    ColorValue ErrorColor = clRed;
    ColorValue ErrorFontColor = clWhite;
    int ErrorMarkerPos = 0;
    int ErrorMarkerLen = 0;
    // URL display
    bool ShowURL = false;
    ColorValue URLColor = clBlue;
    // Look
    bool Flat = false;
    ColorValue FlatLineColor = clBlack;
    bool FlatParentColor = true;
    bool SoftBorder = false;
    bool Transparent = false;
    int FocusWidthInc = 0;
    // Other
    bool AutoFocus = false;
    bool HintShowLargeText = false;
    bool OleDropSource = false;
    bool OleDropTarget = false;
};

} // namespace kalmo
