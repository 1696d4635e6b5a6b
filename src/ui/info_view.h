// The panel of figures of the selected satellite: a band of four text rows
// (panel at the top or bottom) or a column 25 characters wide (left, right).
#pragma once
#include "ui/sdl_view.h"

struct object_t;

// The value texts of the panel's rows for a satellite, in the order of the
// rows: catalogue number; latitude and longitude as "%8.2f" of the degrees,
// the degree sign (248 in code page 437) and N/S or E/W; "%8.2f km" of the
// altitude; revolution number and revolutions per day as "%8.2f"; the period
// text. Latitude, longitude and altitude stay empty until the satellite's
// position has been computed.
enum { INFO_VALUES = 7 };
struct infoValues_t {
    char text[INFO_VALUES][256];
};
void info_values(infoValues_t* out, object_t* o);

// The observer's rows, shown while obs.show is on: azimuth and elevation as
// "%8.2f" of the degrees and the degree sign, range as "%8.2f km", and
// "Sunlit" or "Eclipsed"; all empty when the look is not valid.
enum { INFO_LOOK_VALUES = 4 };
struct infoLookValues_t {
    char text[INFO_LOOK_VALUES][32];
};
struct selLook_t;
void info_look_values(infoLookValues_t* out, const selLook_t& look);

struct infoItem_t {
    const char* label;
    int hRow, hCol;  // cell in the horizontal layout
    int vRow, vCol;  // cell in the vertical layout
    SDL_Point labelPos, valuePos;  // pixels, from UpdateTextPos
};

class InfoView : public SdlView {
public:
    void Render(SDL_Renderer* r) override;
    void SetVertical(bool v);
    void SetFont(SdlFont* f);
    // Label and value positions from the font's glyph size.
    void UpdateTextPos();

    // The rows of the panel, ended by a record with a null label.
    static infoItem_t s_items[];
    // The observer's rows, laid out in cells the rows above leave free (in
    // the horizontal band: azimuth and elevation below the catalogue
    // number, range and sunlight in the name's row right of the longest
    // name), ended the same way.
    static infoItem_t s_lookItems[];
    bool vertical = true;
};
