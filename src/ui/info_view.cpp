#include "ui/info_view.h"

#include <cmath>
#include <cstdio>

#include "objects/objects.h"
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

enum { ITEM_CATNUM, ITEM_LAT, ITEM_LON, ITEM_ALT, ITEM_ORBIT, ITEM_PERDAY, ITEM_PERIOD };

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
    for (infoItem_t* it = s_items; it->label; it++) {
        int row = vertical ? it->vRow : it->hRow;
        int col = vertical ? it->vCol : it->hCol;
        it->labelPos = {col * gw, row * gh};
        it->valuePos = {col * gw + VALUE_OFFSET * gw, row * gh};
    }
}

static void set_color(SdlFont* f, const color4b_t& c)
{
    f->SetColor(c.r, c.g, c.b);
}

void info_format_angle(char* buf, size_t cap, float rad, char pos, char neg)
{
    float deg = static_cast<float>(static_cast<double>(rad) * 180.0 / M_PI);
    snprintf(buf, cap, "%8.2f%c%c", std::fabs(deg), 248, deg < 0 ? neg : pos);
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

    set_color(font, g_var.info.name.color);
    object_t* o = g_var.sel.obj;
    if (!o) {
        font->RenderStr(0, 0, "No Satellite Selected");
        SDL_RenderSetViewport(r, nullptr);
        return;
    }
    objectInfo_t info;
    obj_info(&info, o);
    font->RenderStr(0, 0, info.name);

    set_color(font, g_var.info.value.color);
    char buf[256];
    auto value = [&](int item) {
        font->RenderStr(s_items[item].valuePos.x, s_items[item].valuePos.y, buf);
    };
    snprintf(buf, sizeof buf, "%u", static_cast<unsigned>(info.catalogNumber));
    value(ITEM_CATNUM);
    // A satellite whose position was never computed has no figures to show.
    if (o->hasPos && o->pos) {
        info_format_angle(buf, sizeof buf, o->pos->y, 'N', 'S');
        value(ITEM_LAT);
        info_format_angle(buf, sizeof buf, o->pos->x, 'E', 'W');
        value(ITEM_LON);
        snprintf(buf, sizeof buf, "%8.2f km", o->altitude);
        value(ITEM_ALT);
    }
    snprintf(buf, sizeof buf, "%8.2f", info.orbitNumber);
    value(ITEM_ORBIT);
    snprintf(buf, sizeof buf, "%8.2f", info.revsPerDay);
    value(ITEM_PERDAY);
    snprintf(buf, sizeof buf, "%s", info.periodText);
    value(ITEM_PERIOD);
    SDL_RenderSetViewport(r, nullptr);
}
