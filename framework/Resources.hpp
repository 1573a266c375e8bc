#pragma once

#include "Rect.hpp"
#include "tvec2.hpp"

#include <allegro5/allegro.h>
#include <allegro5/allegro_audio.h>
#include <allegro5/allegro_font.h>

#include <string>
#include <vector>

class Camera;
class Display;
struct ResourceStore;

namespace Kest {
struct Bitmap;
struct Song;
} // namespace Kest

// The one way into the resource store: every picture, batch, animation, font,
// text file, sound and song is loaded, looked up, drawn, played and released
// by key through here. Made once by the game and never deleted.
//
// A missing key, a present key where a loader refuses it, or a file that
// can't be loaded ends the program through fatalError with a message naming
// the key or the path.
//
// Three coordinate spaces for drawing: world units (through the camera's view,
// culled against it), the 2560 x 1440 virtual screen (mapped onto the view),
// and the whole view.
class Resources {
public:
    Resources();

    // Stores the display and camera and reserves the sample voices (none when 0).
    Resources& init(Display* display, Camera* camera, int sampleVoices);
    // Destroys every Allegro object of the store; the maps keep their entries.
    void destroyAll();

    // --- Loading and creating. Loaders take the path first, the key second.
    // loadBitmap, loadFont and loadAnimation accept a present key and keep the
    // earlier entry; the others refuse it before the path is touched.
    Kest::Bitmap* loadBitmap(std::string path, std::string key);
    void loadAnimation(std::string path, int columns, int rows, std::string key);
    // Loads the font at every size index 5 to 100 (Allegro size 3 x index);
    // returns the font of index 100.
    ALLEGRO_FONT* loadFont(std::string path, std::string key);
    Kest::Song* loadSong(std::string path, std::string key);
    ALLEGRO_SAMPLE* loadSound(std::string path, std::string key);
    // The file's lines in order, without their line ends.
    std::vector<std::string> loadTextFile(std::string path, std::string key);
    void createBitmap(int width, int height, std::string key);
    void createBatch(int width, int height, std::string key);

    // --- Lookup: fatal when the key is absent.
    Kest::Bitmap* getBatch(std::string key);
    Kest::Bitmap* getBitmap(std::string key);
    // size must lie in 5 to 100, whether or not the key was loaded.
    ALLEGRO_FONT* getFont(std::string key, int size);
    Kest::Song* getSong(std::string key);
    ALLEGRO_SAMPLE* getSound(std::string key);
    // A copy of the stored lines.
    std::vector<std::string> getTextFile(std::string key);

    // --- Release: an absent key is ignored.
    void destroyBatch(std::string key);
    void destroyBitmap(std::string key);
    void destroyFont(std::string key);
    void destroySong(std::string key);
    void destroySound(std::string key);
    void destroyTextFile(std::string key);

    // --- Drawing target.
    // Draws go into the batch until endBatch; the batch keeps its content.
    void beginBatch(std::string key);
    // The display's back buffer is the target again.
    void endBatch();
    void setTargetToBatch(std::string key);
    void setTargetToBitmap(std::string key);
    // The current target becomes opaque black.
    void clearScreen();

    // --- World draws, culled against the camera view while no batch is being
    // filled. With centred true the destination's x, y is its centre.
    void drawBitmap(std::string key, const Rect& destination, bool centred);
    void drawBitmap(std::string key, const Kest::tvec2<float>& position);
    void drawBitmap(std::string key, ALLEGRO_COLOR tint, const Rect& destination, bool centred);
    void drawBitmapUnculled(std::string key, const Rect& destination, bool centred);
    void drawBitmapUnculled(std::string key, ALLEGRO_COLOR tint, const Rect& destination, bool centred);
    // Batches are culled always, also while a batch is being filled.
    void drawBatch(std::string key, const Rect& destination, bool centred);
    void drawBatch(std::string key, const Kest::tvec2<float>& position);
    void drawFilledRect(ALLEGRO_COLOR color, Rect rect, bool centred);
    void drawText(std::string fontKey, int size, ALLEGRO_COLOR color, const Kest::tvec2<float>& position,
                  int flags, std::string text);
    void drawMultilineText(std::string fontKey, int size, ALLEGRO_COLOR color,
                           const Kest::tvec2<float>& position, float maxWidth, int flags,
                           std::string text);

    // --- Virtual-screen draws (2560 x 1440 units mapped onto the view), never culled.
    void drawScreenBitmap(std::string key, const Rect& destination, bool centred);
    void drawScreenBitmap(std::string key, const Kest::tvec2<float>& position);
    void drawScreenBitmap(std::string key, ALLEGRO_COLOR tint, const Rect& destination, bool centred);
    // The font index is the size scaled by the view, clamped to 5..100.
    void drawScreenText(std::string fontKey, int size, ALLEGRO_COLOR color,
                        const Kest::tvec2<float>& position, int flags, std::string text);
    void drawScreenMultilineText(std::string fontKey, int size, ALLEGRO_COLOR color,
                                 const Kest::tvec2<float>& position, float maxWidth, int flags,
                                 std::string text);

    // --- Whole-view draws.
    void drawBitmapToView(std::string key);
    void drawBitmapToView(std::string key, ALLEGRO_COLOR tint);
    // The picture over the view, then the text centred with a dark shadow.
    void drawTitleScreen(std::string bitmapKey, std::string fontKey, int size, std::string text);

    // --- Animations: started by key, advanced once per in-game tick, drawn
    // once per in-game frame, removed after their last frame.
    void createAnimation(std::string key, int ticksPerFrame, const Rect& destination, bool centred);
    void createAnimation(std::string key, int ticksPerFrame, ALLEGRO_COLOR tint, const Rect& destination,
                         bool centred);
    void createAnimation(std::string key, double step, const Rect& destination, bool centred);
    void createAnimation(std::string key, double step, ALLEGRO_COLOR tint, const Rect& destination,
                         bool centred);
    void updateAnimations();
    void drawAnimations();

    // --- Audio.
    void playSong(std::string key);
    void stopSong(std::string key);
    // Once, on a free reserved voice; with none free nothing is heard.
    void playSound(std::string key);
    void stopAllSamples();

    // Open to tests and tools that look into the store; the game itself goes
    // through the operations above.
    Display* display = nullptr;
    Camera* camera = nullptr;
    // Owned; never deleted.
    ResourceStore* store = nullptr;
    // True between beginBatch and endBatch.
    bool drawingToBatch = false;
};
