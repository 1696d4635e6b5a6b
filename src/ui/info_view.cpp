#include "ui/info_view.h"

#include <cmath>
#include <cstdio>

#include "app/data.h"
#include "objects/objects.h"
#include "observer/observer.h"
#include "settings/vars.h"
#include "ui/sdl_font.h"

// Each value starts this many cells right of its label.
static const int VALUE_OFFSET = 11;

infoItem_t InfoView::s_items[] = {
    {"Catalog #:", 1, 0, 1, 0, {0, 0}, {0, 0}},
    {"Latitude:", 1, 23, 3, 0, {0, 0}, {0, 0}},
    {"Longitude:", 2, 23, 4, 0, {0, 0}, {0, 0}},
    {"Altitude:", 3, 23, 5, 0, {0, 0}, {0, 0}},
    {"Orbit #:", 1, 49, 7, 0, {0, 0}, {0, 0}},
    {"Per Day:", 2, 49, 8, 0, {0, 0}, {0, 0}},
    {"Period:", 3, 49, 9, 0, {0, 0}, {0, 0}},
    {nullptr, 0, 0, 0, 0, {0, 0}, {0, 0}},
};

// Names are at most 31 characters (objectInfo_t), so the name's row is free
// from column 32; the sunlight has no label and its value is the text.
infoItem_t InfoView::s_lookItems[] = {
    {"Azimuth:", 2, 0, 11, 0, {0, 0}, {0, 0}},
    {"Elevation:", 3, 0, 12, 0, {0, 0}, {0, 0}},
    {"Range:", 0, 49, 13, 0, {0, 0}, {0, 0}},
    {"", 0, 23, 14, 0, {0, 0}, {0, 0}},
    {nullptr, 0, 0, 0, 0, {0, 0}, {0, 0}},
};

enum { ITEM_CATNUM, ITEM_LAT, ITEM_LON, ITEM_ALT, ITEM_ORBIT, ITEM_PERDAY, ITEM_PERIOD };
enum { LOOK_AZ, LOOK_EL, LOOK_RANGE, LOOK_SUN };

void InfoView::SetVertical(bool v)
{
    vertical = v;
    UpdateTextPos();
}

void InfoView::SetFont(SdlFont* f)
{
    font = f;
    UpdateTextPos();
}

void InfoView::UpdateTextPos()
{
    if (!font || !s_items[0].label)
        return;
    int gw = font->draw.w, gh = font->draw.h;
    for (infoItem_t* table : {s_items, s_lookItems}) {
        for (infoItem_t* it = table; it->label; it++) {
            int row = vertical ? it->vRow : it->hRow;
            int col = vertical ? it->vCol : it->hCol;
            it->labelPos = {col * gw, row * gh};
            it->valuePos = {col * gw + VALUE_OFFSET * gw, row * gh};
        }
    }
}

static void set_color(SdlFont* f, const color4b_t& c)
{
    f->SetColor(c.r, c.g, c.b);
}

namespace {

// An angle in radians as degrees, "%8.2f" of its size, the degree sign and
// pos or neg by its sign.
void format_angle(char* buf, size_t cap, float rad, char pos, char neg)
{
    float deg = static_cast<float>(static_cast<double>(rad) * 180.0 / M_PI);
    snprintf(buf, cap, "%8.2f%c%c", std::fabs(deg), 248, deg < 0 ? neg : pos);
}

}  // namespace

void info_values(infoValues_t* out, object_t* o)
{
    objectInfo_t info;
    obj_info(&info, o);
    char(*t)[256] = out->text;
    snprintf(t[ITEM_CATNUM], sizeof t[0], "%u", static_cast<unsigned>(info.catalogNumber));
    for (int i : {ITEM_LAT, ITEM_LON, ITEM_ALT})
        t[i][0] = '\0';
    if (o->hasPos && o->pos) {
        format_angle(t[ITEM_LAT], sizeof t[0], o->pos->y, 'N', 'S');
        format_angle(t[ITEM_LON], sizeof t[0], o->pos->x, 'E', 'W');
        snprintf(t[ITEM_ALT], sizeof t[0], "%8.2f km", o->altitude);
    }
    snprintf(t[ITEM_ORBIT], sizeof t[0], "%8.2f", info.orbitNumber);
    snprintf(t[ITEM_PERDAY], sizeof t[0], "%8.2f", info.revsPerDay);
    snprintf(t[ITEM_PERIOD], sizeof t[0], "%s", info.periodText);
}

void info_look_values(infoLookValues_t* out, const selLook_t& sel)
{
    char(*t)[32] = out->text;
    for (int i = 0; i < INFO_LOOK_VALUES; i++)
        t[i][0] = '\0';
    if (!sel.valid)
        return;
    const lookAngles_t& la = sel.look;
    snprintf(t[LOOK_AZ], sizeof t[0], "%8.2f%c", obs_azimuthDegrees(la.azimuth, 2), 248);
    snprintf(t[LOOK_EL], sizeof t[0], "%8.2f%c", la.elevation * 180.0 / M_PI, 248);
    snprintf(t[LOOK_RANGE], sizeof t[0], "%8.2f km", la.range);
    snprintf(t[LOOK_SUN], sizeof t[0], "%s", sel.sunlit ? "Sunlit" : "Eclipsed");
}

void InfoView::Render(SDL_Renderer* r)
{
    if (!font)
        return;
    SDL_RenderSetViewport(r, &rect);
    Fill(r, &g_var.info.bg.color);
    set_color(font, g_var.info.label.color);
    for (const infoItem_t* it = s_items; it->label; it++)
        font->RenderStr(it->labelPos.x, it->labelPos.y, it->label);
    if (g_var.obs.show)
        for (const infoItem_t* it = s_lookItems; it->label; it++)
            font->RenderStr(it->labelPos.x, it->labelPos.y, it->label);

    set_color(font, g_var.info.name.color);
    object_t* o = g_var.sel.obj;
    if (!o) {
        font->RenderStr(0, 0, "No Satellite Selected");
        SDL_RenderSetViewport(r, nullptr);
        return;
    }
    char name[sizeof(objectInfo_t::name)];
    font->RenderStr(0, 0, obj_name(name, sizeof name, o));

    set_color(font, g_var.info.value.color);
    infoValues_t values;
    info_values(&values, o);
    for (int i = 0; i < INFO_VALUES; i++)
        font->RenderStr(s_items[i].valuePos.x, s_items[i].valuePos.y, values.text[i]);
    if (g_var.obs.show) {
        infoLookValues_t look;
        info_look_values(&look, g_selLook);
        for (int i = 0; i < INFO_LOOK_VALUES; i++)
            font->RenderStr(s_lookItems[i].valuePos.x, s_lookItems[i].valuePos.y, look.text[i]);
    }
    SDL_RenderSetViewport(r, nullptr);
}
