#pragma once

#include "Rect.hpp"
#include "tvec2.hpp"

#include <string>
#include <vector>

// Records which arrow keys were held in each tick of a run and replays them
// onto another rectangle, the level's GHOST. An entry holds the keypad digits
// of the held directions in the order 2 (down), 4 (left), 6 (right), 8 (up):
// "" for none, "68" for up and right. Kept in memory only.
class GhostRecorder {
public:
    GhostRecorder();
    ~GhostRecorder();

    // Empties the record; recording stays on or off.
    void reset();
    // The next replay starts from the first entry again.
    void rewind();
    void startRecording();
    void stopRecording();
    // Appends one entry while recording; otherwise nothing.
    void recordFrame(bool up, bool down, bool left, bool right);
    // Applies the next entry, speed units per digit; once the record is used
    // up (or empty) nothing moves and every flag is clear.
    void replayFrame(Rect& target, int speed);
    void replayFrame(Kest::tvec2<float>& target, int speed);

    // The directions of the entry replayed last.
    bool isUp();
    bool isDown();
    bool isRight();
    bool isLeft();

    bool up = false;
    bool down = false;
    bool right = false;
    bool left = false;
    std::vector<std::string> frames;
    // The entry that the next replay applies.
    int frameIndex = 0;
    bool finished = false;
    bool recording = false;

private:
    void replay(float& x, float& y, int speed);
};
