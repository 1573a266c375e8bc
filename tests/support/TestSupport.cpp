#include "TestSupport.hpp"

#include <allegro5/allegro_acodec.h>
#include <allegro5/allegro_audio.h>
#include <allegro5/allegro_font.h>
#include <allegro5/allegro_image.h>
#include <allegro5/allegro_primitives.h>
#include <allegro5/allegro_ttf.h>

#include <cstdlib>
#include <fstream>
#include <sstream>

std::string fatalBoxPattern(const std::string& text)
{
    std::string escaped;
    for (char c : text) {
        if (std::string(".[]{}()\\*+?^$|").find(c) != std::string::npos)
            escaped += '\\';
        escaped += c;
    }
    return "\\[message box\\] title=ERROR heading=ERROR flags=2 text=" + escaped + "\n";
}

void startAllegroHeadless()
{
    static bool started = false;
    if (started)
        return;
    started = true;
    if (!al_init())
        std::abort();
    al_init_image_addon();
    al_init_font_addon();
    al_init_ttf_addon();
    al_init_primitives_addon();
    al_init_acodec_addon();
    al_set_new_bitmap_flags(ALLEGRO_MEMORY_BITMAP);
}

ALLEGRO_BITMAP* makeMemoryTarget(int width, int height)
{
    ALLEGRO_BITMAP* bitmap = al_create_bitmap(width, height);
    al_set_target_bitmap(bitmap);
    al_clear_to_color(al_map_rgba(0, 0, 0, 255));
    return bitmap;
}

Rgba pixelAt(ALLEGRO_BITMAP* bitmap, int x, int y)
{
    Rgba c;
    al_unmap_rgba(al_get_pixel(bitmap, x, y), &c.r, &c.g, &c.b, &c.a);
    return c;
}

std::ostream& operator<<(std::ostream& out, const Rgba& c)
{
    return out << "rgba(" << int(c.r) << ", " << int(c.g) << ", " << int(c.b) << ", " << int(c.a) << ")";
}

bool operator==(const Rect& a, const Rect& b)
{
    return a.x == b.x && a.y == b.y && a.w == b.w && a.h == b.h;
}

void PrintTo(const Rect& r, std::ostream* out)
{
    *out << "(" << r.x << ", " << r.y << ", " << r.w << ", " << r.h << ")";
}

std::string makeTempDir()
{
    const char* base = std::getenv("TMPDIR");
    std::string pattern = std::string(base ? base : "/tmp") + "/orvelle-test.XXXXXX";
    char* made = mkdtemp(&pattern[0]);
    if (made == nullptr)
        std::abort();
    return pattern;
}

void removeTree(const std::string& path)
{
    const std::string command = "rm -rf '" + path + "'";
    if (std::system(command.c_str()) != 0)
        std::abort();
}

void writeFile(const std::string& path, const std::string& content)
{
    std::ofstream out(path, std::ios::binary);
    out << content;
}

std::string readFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream all;
    all << in.rdbuf();
    return all.str();
}
