#include "DisplaySpy.hpp"

#include <allegro5/allegro.h>
#include <allegro5/allegro_font.h>

#include <cstdlib>
#include <cstring>
#include <vector>

#include <dlfcn.h>

namespace {

struct Frame {
    int width = 0;
    int height = 0;
    // Bytes R, G, B, A from the top row down.
    std::vector<unsigned char> bytes;
};

Frame frame;
std::vector<std::string> texts;
std::vector<std::string> textsDrawing;
int frames = 0;
int cursor = -1;

// Allegro's own function of that name, found behind the stand-in.
template <typename Function>
Function real(const char* name)
{
    void* found = dlsym(RTLD_NEXT, name);
    if (found == nullptr)
        std::abort();
    return reinterpret_cast<Function>(found);
}

void keepBackBuffer()
{
    ALLEGRO_DISPLAY* display = al_get_current_display();
    if (display == nullptr)
        return;
    ALLEGRO_BITMAP* backBuffer = al_get_backbuffer(display);
    ALLEGRO_LOCKED_REGION* region =
        al_lock_bitmap(backBuffer, ALLEGRO_PIXEL_FORMAT_ABGR_8888_LE, ALLEGRO_LOCK_READONLY);
    if (region == nullptr)
        std::abort();
    frame.width = al_get_bitmap_width(backBuffer);
    frame.height = al_get_bitmap_height(backBuffer);
    frame.bytes.resize(static_cast<size_t>(frame.width) * frame.height * 4);
    for (int y = 0; y < frame.height; y++) {
        const char* row = static_cast<const char*>(region->data) + static_cast<long>(y) * region->pitch;
        std::memcpy(&frame.bytes[static_cast<size_t>(y) * frame.width * 4], row, static_cast<size_t>(frame.width) * 4);
    }
    al_unlock_bitmap(backBuffer);
    texts.swap(textsDrawing);
    textsDrawing.clear();
    frames++;
}

} // namespace

Rgba DisplaySpy::framePixel(int x, int y)
{
    if (x < 0 || y < 0 || x >= frame.width || y >= frame.height)
        return Rgba{0, 0, 0, 0};
    const unsigned char* p = &frame.bytes[(static_cast<size_t>(y) * frame.width + x) * 4];
    return Rgba{p[0], p[1], p[2], 255};
}

std::vector<std::string> DisplaySpy::frameTexts()
{
    return texts;
}

int DisplaySpy::frameCount()
{
    return frames;
}

int DisplaySpy::lastCursor()
{
    return cursor;
}

// Defined in the test program, these win over Allegro's own.
extern "C" {

void al_flip_display(void)
{
    static const auto flip = real<void (*)(void)>("al_flip_display");
    keepBackBuffer();
    flip();
}

void al_draw_text(const ALLEGRO_FONT* font, ALLEGRO_COLOR color, float x, float y, int flags, const char* text)
{
    static const auto draw =
        real<void (*)(const ALLEGRO_FONT*, ALLEGRO_COLOR, float, float, int, const char*)>("al_draw_text");
    textsDrawing.push_back(text);
    draw(font, color, x, y, flags, text);
}

bool al_set_system_mouse_cursor(ALLEGRO_DISPLAY* display, ALLEGRO_SYSTEM_MOUSE_CURSOR id)
{
    static const auto set = real<bool (*)(ALLEGRO_DISPLAY*, ALLEGRO_SYSTEM_MOUSE_CURSOR)>("al_set_system_mouse_cursor");
    cursor = id;
    return set(display, id);
}
}
