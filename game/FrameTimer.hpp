#pragma once

#include <string>

// Counts a run in ticks (60 a second): the ticks while running (the recorded
// run) and the ticks while stopped (the ghost run). Their sum is the total
// that the time limit is tested against and a win stores. In countdown mode
// the texts show the limit minus the count.
class FrameTimer {
public:
    FrameTimer();
    ~FrameTimer();

    void reset();
    // The limit in ticks.
    void setCountdown(int limit);
    // frames from 0 again, running; the rest stays.
    void restart();
    // pausedFrames from 0 again, stopped; the rest stays.
    void stop();
    void tick();

    int getFrames();
    int getTotal();
    // Strictly past the limit.
    bool isLimitReached();
    // Seconds with two decimals, truncated, no unit.
    std::string getTotalText();
    std::string getFramesText();

    // A count of ticks as seconds with two decimals, the third to sixth
    // decimals dropped, not rounded: 90 gives "1.50", 100 gives "1.66".
    static std::string formatSeconds(int ticks);

    int frames;
    int pausedFrames;
    int limit;
    bool running;
    bool countdown;

private:
    std::string secondsText(int count);
};
