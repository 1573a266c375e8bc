#pragma once

#include "Rect.hpp"
#include "tvec2.hpp"

#include <allegro5/allegro.h>

class Display;

// The single camera: which world rectangle is visible, optionally pushed into
// bounds, and the projection that stretches it onto the whole target (no aspect
// correction). Made once by the game and never deleted.
//
// setBounds, clearBounds and resetSize change fields only; the clamping and the
// projection catch up at the next setView, centerOn or update.
class Camera {
public:
    Camera();
    ~Camera();

    // The view becomes the whole virtual screen, 2560 x 1440 world units.
    void init(Display* display);

    void setView(Rect view);
    // Centre x, y and size; the view's top-left is the centre minus half the size.
    void setView(float centerX, float centerY, float width, float height);
    // Keeps the size and moves the view's centre onto the given point.
    void centerOn(Kest::tvec2<float> center);
    // Clamps and projects the current view again.
    void update();

    void setBounds(Rect bounds);
    // The bounds rectangle keeps its value; it is simply no longer applied.
    void clearBounds();
    // Back to 2560 x 1440; x and y stay.
    void resetSize();

    Kest::tvec2<float> getViewPosition();
    Kest::tvec2<float> getViewSize();
    Rect getView();

private:
    // Pushes the view into the bounds (left and top first, then right and
    // bottom, so a view larger than its bounds ends flush with their far edge),
    // then installs the orthographic projection of the view on the current target.
    void apply();

    Display* display = nullptr;
    ALLEGRO_TRANSFORM transform = {};
    Rect view;
    bool bounded = false;
    Rect bounds;
};
