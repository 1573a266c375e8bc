#include "FrameTimer.hpp"

FrameTimer::FrameTimer() : frames(0), pausedFrames(0), limit(0), running(true), countdown(false) {}

FrameTimer::~FrameTimer() {}

void FrameTimer::reset()
{
    frames = 0;
    pausedFrames = 0;
    limit = 0;
    running = true;
    countdown = false;
}

void FrameTimer::setCountdown(int limit)
{
    this->limit = limit;
    countdown = true;
}

void FrameTimer::restart()
{
    frames = 0;
    running = true;
}

void FrameTimer::stop()
{
    pausedFrames = 0;
    running = false;
}

void FrameTimer::tick()
{
    if (running)
        frames = frames + 1;
    else
        pausedFrames = pausedFrames + 1;
}

int FrameTimer::getFrames()
{
    return frames;
}

int FrameTimer::getTotal()
{
    return frames + pausedFrames;
}

bool FrameTimer::isLimitReached()
{
    return limit < getTotal();
}

std::string FrameTimer::getTotalText()
{
    return secondsText(getTotal());
}

std::string FrameTimer::getFramesText()
{
    return secondsText(getFrames());
}

std::string FrameTimer::secondsText(int count)
{
    return formatSeconds(countdown ? limit - count : count);
}

std::string FrameTimer::formatSeconds(int ticks)
{
    const float seconds = static_cast<float>(ticks) / 60.0f;
    // Six decimals from to_string; dropping the last four truncates to two.
    const std::string text = std::to_string(seconds);
    return text.substr(0, text.size() - 4);
}
