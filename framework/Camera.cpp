#include "Camera.hpp"

namespace {
const float virtualWidth = 2560.0f;
const float virtualHeight = 1440.0f;
}

Camera::Camera() {}

Camera::~Camera() {}

void Camera::init(Display* display)
{
    this->display = display;
    view = Rect(0.0f, 0.0f, virtualWidth, virtualHeight);
}

void Camera::setView(Rect view)
{
    this->view = view;
    apply();
}

void Camera::setView(float centerX, float centerY, float width, float height)
{
    view.w = width;
    view.h = height;
    view.x = centerX - width / 2.0f;
    view.y = centerY - height / 2.0f;
    apply();
}

void Camera::centerOn(Kest::tvec2<float> center)
{
    view.x = center.x - view.w / 2.0f;
    view.y = center.y - view.h / 2.0f;
    apply();
}

void Camera::update()
{
    apply();
}

void Camera::setBounds(Rect bounds)
{
    bounded = true;
    this->bounds = bounds;
}

void Camera::clearBounds()
{
    bounded = false;
}

void Camera::resetSize()
{
    view.w = virtualWidth;
    view.h = virtualHeight;
}

Kest::tvec2<float> Camera::getViewPosition()
{
    return Kest::tvec2<float>(view.x, view.y);
}

Kest::tvec2<float> Camera::getViewSize()
{
    return Kest::tvec2<float>(view.w, view.h);
}

Rect Camera::getView()
{
    return view;
}

void Camera::apply()
{
    if (bounded) {
        // Strict comparisons: a NaN pushes nothing.
        if (bounds.x > view.x)
            view.x = bounds.x;
        if (bounds.y > view.y)
            view.y = bounds.y;
        if (view.x + view.w > bounds.x + bounds.w)
            view.x = bounds.x + bounds.w - view.w;
        if (view.y + view.h > bounds.y + bounds.h)
            view.y = bounds.y + bounds.h - view.h;
    }

    al_identity_transform(&transform);
    al_orthographic_transform(&transform, view.x, view.y, -1.0f, view.x + view.w, view.y + view.h, 1.0f);
    al_use_projection_transform(&transform);
}
