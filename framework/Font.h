#pragma once
#include "framework/GdiObject.h"

class CFont : public CGdiObject<HFONT> {
public:
    BOOL CreateFontIndirect(const LOGFONTA& logFont) {
        Attach(::CreateFontIndirectA(&logFont));
        return Get() != nullptr;
    }
    // The description of any font handle (zeroed when there is none).
    static BOOL GetLogFont(HFONT font, LOGFONTA& logFont) {
        logFont = LOGFONTA{};
        return font && ::GetObjectA(font, sizeof logFont, &logFont) == (int)sizeof logFont;
    }
};
