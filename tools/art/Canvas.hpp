#pragma once

// A picture that a generator is drawing: an Allegro memory bitmap kept at a
// multiple of the picture's size, shrunk to the picture's size when it is
// saved, so that edges, curves and text come out smooth. Drawing code works
// in the picture's own pixels; the canvas's transform does the scaling. Each
// generator owns its canvases on the stack.

#include <allegro5/allegro.h>

#include <functional>
#include <string>

class Canvas {
public:
    // width and height in picture pixels; every picture pixel is drawn as
    // supersample x supersample pixels.
    Canvas(int width, int height, int supersample = 4);
    ~Canvas();
    Canvas(const Canvas&) = delete;
    Canvas& operator=(const Canvas&) = delete;

    int width() const { return pictureWidth; }
    int height() const { return pictureHeight; }

    // Makes the canvas the drawing target, with the transform that maps
    // picture pixels onto it. Every drawing call of the primitives add-on
    // and al_draw_*bitmap then works in picture pixels.
    void target();

    // Text in the font at fontPath, size in picture pixels (Allegro's TTF
    // size), at (x, y) with Allegro's alignment flag; the glyphs are made at
    // the canvas's own resolution, not scaled up.
    void text(const std::string& fontPath, float size, ALLEGRO_COLOR color, float x, float y, int align,
              const std::string& text);
    // The advance width of the text in picture pixels.
    float textWidth(const std::string& fontPath, float size, const std::string& text);
    // The box that the text's ink covers when drawn left-aligned at (0, 0),
    // in picture pixels, for centring it by what shows rather than by its line.
    struct Box {
        float x, y, w, h;
    };
    Box textBox(const std::string& fontPath, float size, const std::string& text);
    // Text whose ink is centred on (cx, cy).
    void centredText(const std::string& fontPath, float size, ALLEGRO_COLOR color, float cx, float cy,
                     const std::string& text);

    // Draws another canvas of the same supersampling over this one with its
    // top-left corner at (x, y) in picture pixels, sample for sample.
    void paste(const Canvas& layer, float x, float y);

    // Rewrites every pixel: shader gets the pixel's centre in picture pixels
    // (fractional) and its colour now, and returns its new colour. Colours
    // are premultiplied, as the blender keeps them.
    void shade(const std::function<ALLEGRO_COLOR(float x, float y, ALLEGRO_COLOR now)>& shader);

    // Shrinks the canvas to the picture's size (each picture pixel the mean
    // of its samples) and writes it with al_save_bitmap: PNG keeps the alpha
    // channel, JPG drops it. Ends the generator with a message on failure.
    void save(const std::string& path) const;

    // The picture at its own size with premultiplied colours, as Allegro
    // keeps a loaded picture; the caller destroys it.
    ALLEGRO_BITMAP* shrink() const;

private:
    int pictureWidth;
    int pictureHeight;
    int supersample;
    ALLEGRO_BITMAP* samples;
};

// Starts Allegro and the add-ons a generator needs (memory bitmaps only, no
// display) and sets the picture formats' quality. Ends the generator with a
// message on failure.
void startGenerator();

// Makes the folders of a file's path. Ends the generator on failure.
void makeFolders(const std::string& filePath);
