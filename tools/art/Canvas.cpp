#include "Canvas.hpp"

#include <allegro5/allegro_font.h>
#include <allegro5/allegro_image.h>
#include <allegro5/allegro_primitives.h>
#include <allegro5/allegro_ttf.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <utility>

namespace {

[[noreturn]] void fail(const std::string& what)
{
    std::fprintf(stderr, "generator: %s\n", what.c_str());
    std::exit(1);
}

// Fonts by path and pixel size, loaded once and kept until the generator ends.
ALLEGRO_FONT* fontAt(const std::string& path, int pixels)
{
    static std::map<std::pair<std::string, int>, ALLEGRO_FONT*> fonts;
    auto found = fonts.find({path, pixels});
    if (found != fonts.end())
        return found->second;
    ALLEGRO_FONT* font = al_load_ttf_font(path.c_str(), pixels, 0);
    if (font == nullptr)
        fail("cannot load the font " + path);
    fonts[{path, pixels}] = font;
    return font;
}

struct Locked {
    Locked(ALLEGRO_BITMAP* bitmap, int flags)
        : bitmap(bitmap), region(al_lock_bitmap(bitmap, ALLEGRO_PIXEL_FORMAT_ABGR_8888_LE, flags))
    {
        if (region == nullptr)
            fail("cannot lock a bitmap");
    }
    ~Locked() { al_unlock_bitmap(bitmap); }
    // Bytes r, g, b, a of pixel (x, y).
    unsigned char* at(int x, int y) const
    {
        return static_cast<unsigned char*>(region->data) + y * region->pitch + x * 4;
    }
    ALLEGRO_BITMAP* bitmap;
    ALLEGRO_LOCKED_REGION* region;
};

} // namespace

Canvas::Canvas(int width, int height, int supersample)
    : pictureWidth(width), pictureHeight(height), supersample(supersample), samples(nullptr)
{
    al_set_new_bitmap_flags(ALLEGRO_MEMORY_BITMAP);
    al_set_new_bitmap_format(ALLEGRO_PIXEL_FORMAT_ABGR_8888_LE);
    samples = al_create_bitmap(width * supersample, height * supersample);
    if (samples == nullptr)
        fail("cannot create a canvas of " + std::to_string(width) + " x " + std::to_string(height));
    target();
    al_clear_to_color(al_map_rgba(0, 0, 0, 0));
}

Canvas::~Canvas()
{
    if (al_get_target_bitmap() == samples)
        al_set_target_bitmap(nullptr);
    al_destroy_bitmap(samples);
}

void Canvas::target()
{
    al_set_target_bitmap(samples);
    ALLEGRO_TRANSFORM scale;
    al_identity_transform(&scale);
    al_scale_transform(&scale, float(supersample), float(supersample));
    al_use_transform(&scale);
}

void Canvas::text(const std::string& fontPath, float size, ALLEGRO_COLOR color, float x, float y, int align,
                  const std::string& text)
{
    ALLEGRO_FONT* font = fontAt(fontPath, int(size * float(supersample) + 0.5f));
    al_set_target_bitmap(samples);
    ALLEGRO_TRANSFORM identity;
    al_identity_transform(&identity);
    al_use_transform(&identity);
    al_draw_text(font, color, x * float(supersample), y * float(supersample), align, text.c_str());
    target();
}

float Canvas::textWidth(const std::string& fontPath, float size, const std::string& text)
{
    ALLEGRO_FONT* font = fontAt(fontPath, int(size * float(supersample) + 0.5f));
    return float(al_get_text_width(font, text.c_str())) / float(supersample);
}

Canvas::Box Canvas::textBox(const std::string& fontPath, float size, const std::string& text)
{
    ALLEGRO_FONT* font = fontAt(fontPath, int(size * float(supersample) + 0.5f));
    int x, y, w, h;
    al_get_text_dimensions(font, text.c_str(), &x, &y, &w, &h);
    const float s = float(supersample);
    return {float(x) / s, float(y) / s, float(w) / s, float(h) / s};
}

void Canvas::centredText(const std::string& fontPath, float size, ALLEGRO_COLOR color, float cx, float cy,
                         const std::string& text)
{
    const Box box = textBox(fontPath, size, text);
    this->text(fontPath, size, color, cx - box.x - box.w / 2.0f, cy - box.y - box.h / 2.0f, ALLEGRO_ALIGN_LEFT, text);
}

void Canvas::paste(const Canvas& layer, float x, float y)
{
    if (layer.supersample != supersample)
        fail("cannot paste canvases of different supersampling");
    al_set_target_bitmap(samples);
    ALLEGRO_TRANSFORM identity;
    al_identity_transform(&identity);
    al_use_transform(&identity);
    al_draw_bitmap(layer.samples, x * float(supersample), y * float(supersample), 0);
    target();
}

void Canvas::shade(const std::function<ALLEGRO_COLOR(float x, float y, ALLEGRO_COLOR now)>& shader)
{
    Locked lock(samples, ALLEGRO_LOCK_READWRITE);
    const int w = al_get_bitmap_width(samples);
    const int h = al_get_bitmap_height(samples);
    const float step = 1.0f / float(supersample);
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            unsigned char* p = lock.at(x, y);
            const ALLEGRO_COLOR now = al_map_rgba(p[0], p[1], p[2], p[3]);
            const ALLEGRO_COLOR next = shader((float(x) + 0.5f) * step, (float(y) + 0.5f) * step, now);
            al_unmap_rgba(next, &p[0], &p[1], &p[2], &p[3]);
        }
    }
}

ALLEGRO_BITMAP* Canvas::shrink() const
{
    al_set_new_bitmap_flags(ALLEGRO_MEMORY_BITMAP);
    al_set_new_bitmap_format(ALLEGRO_PIXEL_FORMAT_ABGR_8888_LE);
    ALLEGRO_BITMAP* picture = al_create_bitmap(pictureWidth, pictureHeight);
    if (picture == nullptr)
        fail("cannot create a picture");
    Locked from(samples, ALLEGRO_LOCK_READONLY);
    Locked to(picture, ALLEGRO_LOCK_WRITEONLY);
    const int count = supersample * supersample;
    for (int y = 0; y < pictureHeight; ++y) {
        for (int x = 0; x < pictureWidth; ++x) {
            int sum[4] = {0, 0, 0, 0};
            for (int sy = 0; sy < supersample; ++sy)
                for (int sx = 0; sx < supersample; ++sx) {
                    const unsigned char* p = from.at(x * supersample + sx, y * supersample + sy);
                    for (int c = 0; c < 4; ++c)
                        sum[c] += p[c];
                }
            unsigned char* q = to.at(x, y);
            for (int c = 0; c < 4; ++c)
                q[c] = static_cast<unsigned char>((sum[c] + count / 2) / count);
        }
    }
    return picture;
}

void Canvas::save(const std::string& path) const
{
    ALLEGRO_BITMAP* picture = shrink();
    {
        // The files hold straight colours: Allegro multiplies them by alpha
        // again when it loads a picture.
        Locked pixels(picture, ALLEGRO_LOCK_READWRITE);
        for (int y = 0; y < pictureHeight; ++y)
            for (int x = 0; x < pictureWidth; ++x) {
                unsigned char* p = pixels.at(x, y);
                if (p[3] == 0) {
                    p[0] = p[1] = p[2] = 0;
                } else if (p[3] < 255) {
                    for (int c = 0; c < 3; ++c) {
                        const int straight = (p[c] * 255 + p[3] / 2) / p[3];
                        p[c] = static_cast<unsigned char>(straight > 255 ? 255 : straight);
                    }
                }
            }
    }
    makeFolders(path);
    const bool saved = al_save_bitmap(path.c_str(), picture);
    al_destroy_bitmap(picture);
    if (!saved)
        fail("cannot write " + path);
    std::printf("wrote %s (%d x %d)\n", path.c_str(), pictureWidth, pictureHeight);
}

void startGenerator()
{
    if (!al_init() || !al_init_image_addon() || !al_init_font_addon() || !al_init_ttf_addon() ||
        !al_init_primitives_addon())
        fail("cannot start Allegro and its add-ons");
    ALLEGRO_CONFIG* config = al_get_system_config();
    al_set_config_value(config, "image", "jpeg_quality_level", "90");
    al_set_config_value(config, "image", "png_compression_level", "best");
}

void makeFolders(const std::string& filePath)
{
    std::error_code error;
    std::filesystem::create_directories(std::filesystem::path(filePath).parent_path(), error);
    if (error)
        fail("cannot make the folders of " + filePath);
}
