#include "GhostRecorder.hpp"

GhostRecorder::GhostRecorder() {}

GhostRecorder::~GhostRecorder() {}

void GhostRecorder::reset()
{
    frames.clear();
    frameIndex = 0;
    finished = false;
}

void GhostRecorder::rewind()
{
    frameIndex = 0;
    finished = false;
}

void GhostRecorder::startRecording()
{
    recording = true;
    frameIndex = 0;
}

void GhostRecorder::stopRecording()
{
    recording = false;
    frameIndex = 0;
}

void GhostRecorder::recordFrame(bool up, bool down, bool left, bool right)
{
    if (!recording)
        return;
    std::string entry;
    if (down)
        entry += '2';
    if (left)
        entry += '4';
    if (right)
        entry += '6';
    if (up)
        entry += '8';
    frames.push_back(entry);
}

void GhostRecorder::replayFrame(Rect& target, int speed)
{
    replay(target.x, target.y, speed);
}

void GhostRecorder::replayFrame(Kest::tvec2<float>& target, int speed)
{
    replay(target.x, target.y, speed);
}

void GhostRecorder::replay(float& x, float& y, int speed)
{
    up = false;
    down = false;
    right = false;
    left = false;
    // An empty record (Enter in the very first tick) has nothing to replay.
    if (frameIndex >= static_cast<int>(frames.size()))
        finished = true;
    if (finished)
        return;

    const float s = static_cast<float>(speed);
    for (char digit : frames[frameIndex]) {
        switch (digit) {
        case '2':
            y += s;
            down = true;
            break;
        case '4':
            x -= s;
            left = true;
            break;
        case '6':
            x += s;
            right = true;
            break;
        case '8':
            y -= s;
            up = true;
            break;
        default:
            break;
        }
    }

    frameIndex = frameIndex + 1;
    if (frameIndex >= static_cast<int>(frames.size()))
        finished = true;
}

bool GhostRecorder::isUp()
{
    return up;
}

bool GhostRecorder::isDown()
{
    return down;
}

bool GhostRecorder::isRight()
{
    return right;
}

bool GhostRecorder::isLeft()
{
    return left;
}
