#include "Resources.hpp"

#include "AnimationData.hpp"
#include "Bitmap.hpp"
#include "Errors.hpp"
#include "ResourceStore.hpp"
#include "Song.hpp"

#include <allegro5/allegro_audio.h>
#include <allegro5/allegro_font.h>
#include <allegro5/allegro_ttf.h>

#include <algorithm>
#include <cstring>
#include <fstream>
#include <memory>

namespace {
// Font size indices that loadFont fills and getFont accepts, both inclusive.
const int smallestFontSize = 5;
const int largestFontSize = 100;

// A path read from a file may hold a NUL byte. It names no file: handed on to
// Allegro or the C library it would name the file of its part before the NUL.
bool namesNoFile(const std::string& path)
{
    return path.find('\0') != std::string::npos;
}

// A font file read once into memory, which every size loaded from it reads
// its glyphs from for as long as that size lives. Opening and parsing the
// file 96 times from the disk costs ten times more than from memory.
struct FontFile {
    std::shared_ptr<const std::vector<char>> bytes;
    int64_t position = 0;
};

size_t fontFileRead(ALLEGRO_FILE* file, void* to, size_t size)
{
    FontFile* font = static_cast<FontFile*>(al_get_file_userdata(file));
    const int64_t left = (int64_t)font->bytes->size() - font->position;
    const size_t count = left <= 0 ? 0 : std::min(size, (size_t)left);
    std::memcpy(to, font->bytes->data() + font->position, count);
    font->position += (int64_t)count;
    return count;
}

bool fontFileSeek(ALLEGRO_FILE* file, int64_t offset, int whence)
{
    FontFile* font = static_cast<FontFile*>(al_get_file_userdata(file));
    const int64_t base = whence == ALLEGRO_SEEK_SET ? 0
                         : whence == ALLEGRO_SEEK_CUR ? font->position
                                                      : (int64_t)font->bytes->size();
    if (base + offset < 0 || base + offset > (int64_t)font->bytes->size())
        return false;
    font->position = base + offset;
    return true;
}

// Closing the last size of a font frees its bytes.
bool fontFileClose(ALLEGRO_FILE* file)
{
    delete static_cast<FontFile*>(al_get_file_userdata(file));
    return true;
}

size_t fontFileWrite(ALLEGRO_FILE*, const void*, size_t) { return 0; }
bool fontFileFlush(ALLEGRO_FILE*) { return true; }
int64_t fontFileTell(ALLEGRO_FILE* file) { return static_cast<FontFile*>(al_get_file_userdata(file))->position; }
bool fontFileEof(ALLEGRO_FILE* file)
{
    FontFile* font = static_cast<FontFile*>(al_get_file_userdata(file));
    return font->position >= (int64_t)font->bytes->size();
}
int fontFileError(ALLEGRO_FILE*) { return 0; }
const char* fontFileErrorMessage(ALLEGRO_FILE*) { return ""; }
void fontFileClearError(ALLEGRO_FILE*) {}
int fontFileUngetc(ALLEGRO_FILE*, int) { return -1; }
off_t fontFileSize(ALLEGRO_FILE* file) { return (off_t) static_cast<FontFile*>(al_get_file_userdata(file))->bytes->size(); }

const ALLEGRO_FILE_INTERFACE fontFileInterface = {
    nullptr,      fontFileClose, fontFileRead,         fontFileWrite,      fontFileFlush,
    fontFileTell, fontFileSeek,  fontFileEof,          fontFileError,      fontFileErrorMessage,
    fontFileClearError, fontFileUngetc, fontFileSize,
};

// The whole file, or nothing when it can't be read. A folder opens like a
// file and fails at its first read. The stream's own read turns a failed read
// into its bad state; reading through stream iterators would throw instead.
std::shared_ptr<const std::vector<char>> readWholeFile(const std::string& path)
{
    if (namesNoFile(path))
        return nullptr;
    std::ifstream file(path, std::ios::binary);
    if (!file.is_open())
        return nullptr;
    auto bytes = std::make_shared<std::vector<char>>();
    char chunk[65536];
    while (file.read(chunk, sizeof chunk) || file.gcount() > 0)
        bytes->insert(bytes->end(), chunk, chunk + file.gcount());
    return file.bad() ? nullptr : bytes;
}

// A new bitmap under Allegro's current new-bitmap settings, its content not
// cleared, stored under a key the map does not hold yet.
void createInto(std::map<std::string, Kest::Bitmap*>& map, int width, int height, const std::string& key,
                const char* presentKeyMessage, const char* notCreatedMessage)
{
    if (map.count(key) != 0)
        fatalError(presentKeyMessage + key);

    ALLEGRO_BITMAP* bitmap = al_create_bitmap(width, height);
    if (bitmap == nullptr)
        fatalError(notCreatedMessage + key + " <not created");
    Kest::Bitmap* newBitmap = new Kest::Bitmap;
    newBitmap->bitmap = bitmap;
    newBitmap->width = width;
    newBitmap->height = height;
    map.insert({key, newBitmap});
}
} // namespace

Resources::Resources()
{
    store = new ResourceStore;
}

Resources& Resources::init(Display* display, Camera* camera, int sampleVoices)
{
    this->display = display;
    this->camera = camera;
    if (sampleVoices != 0)
        al_reserve_samples(sampleVoices);
    drawingToBatch = false;
    return *this;
}

void Resources::destroyAll()
{
    for (auto& entry : store->bitmaps)
        al_destroy_bitmap(entry.second->bitmap);
    for (auto& entry : store->batches)
        al_destroy_bitmap(entry.second->bitmap);
    for (auto& entry : store->sounds)
        al_destroy_sample(entry.second);
    for (auto& entry : store->songs) {
        al_destroy_sample(entry.second->sample);
        al_destroy_sample_instance(entry.second->instance);
    }
    for (int size = 0; size <= 100; size++) {
        for (auto& entry : store->fonts[size])
            al_destroy_font(entry.second);
    }
}

Kest::Bitmap* Resources::loadBitmap(std::string path, std::string key)
{
    // Colours as the file holds them, not multiplied by their alpha: the
    // blender all drawing uses, (ADD, ALPHA, INVERSE_ALPHA), applies the alpha
    // itself, so a premultiplied picture would be multiplied twice and every
    // translucent pixel (the ghost at its tint of 80 above all) would come
    // out far fainter than meant. Records are made only once their Allegro
    // object exists, so that a failure holds nothing that only the failing
    // call knew of.
    ALLEGRO_BITMAP* picture =
        namesNoFile(path) ? nullptr : al_load_bitmap_flags(path.c_str(), ALLEGRO_NO_PREMULTIPLIED_ALPHA);
    if (picture == nullptr)
        fatalError("Bitmap path> " + path + " <not found or initialize fail");
    Kest::Bitmap* newBitmap = new Kest::Bitmap;
    newBitmap->bitmap = picture;
    newBitmap->width = al_get_bitmap_width(newBitmap->bitmap);
    newBitmap->height = al_get_bitmap_height(newBitmap->bitmap);

    // A present key keeps its earlier picture (every level start loads the
    // ghost sheet again). The new one is freed, and the stored one returned,
    // so the caller never holds a dangling record.
    auto inserted = store->bitmaps.insert({key, newBitmap});
    if (!inserted.second) {
        al_destroy_bitmap(newBitmap->bitmap);
        delete newBitmap;
    }
    return inserted.first->second;
}

void Resources::loadAnimation(std::string path, int columns, int rows, std::string key)
{
    // Both divide the sheet's size; tested before the path is touched.
    if (columns < 1 || rows < 1)
        fatalError("Animation key> " + key + " <needs at least one column and one row");

    loadBitmap(path, key);
    Kest::AnimationData* newAnimData = new Kest::AnimationData;
    newAnimData->sheet = getBitmap(key);
    // Integer divisions first: the pixels left over at the right and bottom
    // edges belong to no frame.
    newAnimData->frameSize = Kest::tvec2<float>((float)(newAnimData->sheet->width / columns),
                                                (float)(newAnimData->sheet->height / rows));
    for (int row = 0; row < rows; row++) {
        std::vector<Kest::tvec2<float>> frameRow;
        for (int column = 0; column < columns; column++)
            frameRow.push_back(Kest::tvec2<float>((float)column * newAnimData->frameSize.x,
                                                  (float)row * newAnimData->frameSize.y));
        newAnimData->frames.push_back(frameRow);
    }

    // A present key keeps its earlier sheet cutting, which running
    // animations may point at.
    if (!store->animationData.insert({key, newAnimData}).second)
        delete newAnimData;
}

ALLEGRO_FONT* Resources::loadFont(std::string path, std::string key)
{
    const std::shared_ptr<const std::vector<char>> bytes = readWholeFile(path);
    if (bytes == nullptr)
        fatalError("Font path> " + path + " <not found or initialize fail");
    ALLEGRO_FONT* newFont = nullptr;
    for (int size = smallestFontSize; size <= largestFontSize; size++) {
        // The font owns the handle from here on and closes it when it is
        // destroyed, also when the load fails.
        FontFile* reader = new FontFile{bytes, 0};
        ALLEGRO_FILE* file = al_create_file_handle(&fontFileInterface, reader);
        if (file == nullptr)
            delete reader;
        newFont = file == nullptr ? nullptr : al_load_ttf_font_f(file, path.c_str(), 3 * size, 0);
        if (newFont == nullptr)
            fatalError("Font path> " + path + " <not found or initialize fail");
        // A present key keeps its earlier font; the new one is freed and the
        // stored one stands for it.
        auto inserted = store->fonts[size].insert({key, newFont});
        if (!inserted.second) {
            al_destroy_font(newFont);
            newFont = inserted.first->second;
        }
    }
    return newFont;
}

Kest::Song* Resources::loadSong(std::string path, std::string key)
{
    if (store->songs.count(key) != 0)
        fatalError("Multiple song key " + key);

    ALLEGRO_SAMPLE* sample = namesNoFile(path) ? nullptr : al_load_sample(path.c_str());
    if (sample == nullptr)
        fatalError("Song path> " + path + " <not found or initialize fail");
    Kest::Song* newSong = new Kest::Song;
    newSong->sample = sample;

    // A song whose instance can't be made, or that finds no mixer (no voices
    // reserved, no audio), is stored all the same and stays silent.
    newSong->instance = al_create_sample_instance(newSong->sample);
    if (newSong->instance != nullptr) {
        al_set_sample_instance_playmode(newSong->instance, ALLEGRO_PLAYMODE_LOOP);
        ALLEGRO_MIXER* mixer = al_get_default_mixer();
        if (mixer != nullptr)
            al_attach_sample_instance_to_mixer(newSong->instance, mixer);
    }

    store->songs.insert({key, newSong});
    return newSong;
}

ALLEGRO_SAMPLE* Resources::loadSound(std::string path, std::string key)
{
    if (store->sounds.count(key) != 0)
        fatalError("Multiple sound key " + key);

    ALLEGRO_SAMPLE* newSample = namesNoFile(path) ? nullptr : al_load_sample(path.c_str());
    if (newSample == nullptr)
        fatalError("Sound path> " + path + " <not found or initialize fail");

    store->sounds.insert({key, newSample});
    return newSample;
}

std::vector<std::string> Resources::loadTextFile(std::string path, std::string key)
{
    if (store->textFiles.count(key) != 0)
        fatalError("Multiple text file key " + key);

    std::ifstream file;
    if (!namesNoFile(path))
        file.open(path);
    // A folder opens like a file, but its first read fails: it holds no text
    // and counts as missing, not as an empty file. An empty file's first read
    // meets the end without failing.
    if (file.is_open())
        file.peek();
    if (!file.is_open() || file.bad())
        fatalError("File path> " + path + " <not found");

    // The level files are written on Windows: a carriage return right before
    // the line feed is part of the line end. One at the very end of a file,
    // with no line feed after it, stays in the line. A read error ends the
    // reading like the end of the file.
    std::vector<std::string> newData;
    std::string line;
    while (std::getline(file, line)) {
        const bool endedByLineFeed = !file.eof();
        if (endedByLineFeed && !line.empty() && line.back() == '\r')
            line.pop_back();
        newData.push_back(line);
    }
    file.close();

    store->textFiles.insert({key, newData});
    return newData;
}

void Resources::createBitmap(int width, int height, std::string key)
{
    createInto(store->bitmaps, width, height, key, "Multiple bitmap key ", "Bitmap with key> ");
}

void Resources::createBatch(int width, int height, std::string key)
{
    createInto(store->batches, width, height, key, "Multiple batch key ", "Batch with key> ");
}

Kest::Bitmap* Resources::getBatch(std::string key)
{
    auto found = store->batches.find(key);
    if (found == store->batches.end())
        fatalError("Batch key> " + key + " <not found!");
    return found->second;
}

Kest::Bitmap* Resources::getBitmap(std::string key)
{
    auto found = store->bitmaps.find(key);
    if (found == store->bitmaps.end())
        fatalError("Bitmap key> " + key + " <not found!");
    return found->second;
}

ALLEGRO_FONT* Resources::getFont(std::string key, int size)
{
    // The size first: indices 0 to 4 exist in the store but are never filled.
    if (size < smallestFontSize || size > largestFontSize)
        fatalError("Font with key> " + key + " <size out of range");
    auto found = store->fonts[size].find(key);
    if (found == store->fonts[size].end())
        fatalError("Font key> " + key + " <not found!");
    return found->second;
}

Kest::Song* Resources::getSong(std::string key)
{
    // Songs and sounds share their message: the player only ever hears sounds.
    auto found = store->songs.find(key);
    if (found == store->songs.end())
        fatalError("Sound key> " + key + " <not found!");
    return found->second;
}

ALLEGRO_SAMPLE* Resources::getSound(std::string key)
{
    auto found = store->sounds.find(key);
    if (found == store->sounds.end())
        fatalError("Sound key> " + key + " <not found!");
    return found->second;
}

std::vector<std::string> Resources::getTextFile(std::string key)
{
    auto found = store->textFiles.find(key);
    if (found == store->textFiles.end())
        fatalError("File key> " + key + " <not found!");
    return found->second;
}

void Resources::destroyBatch(std::string key)
{
    auto found = store->batches.find(key);
    if (found == store->batches.end())
        return;
    al_destroy_bitmap(found->second->bitmap);
    delete found->second;
    store->batches.erase(found);
}

void Resources::destroyBitmap(std::string key)
{
    auto found = store->bitmaps.find(key);
    if (found == store->bitmaps.end())
        return;
    al_destroy_bitmap(found->second->bitmap);
    // An animation sheet's record is still pointed at by its cutting under the
    // same key, so only a record that nothing else names is freed.
    auto animData = store->animationData.find(key);
    const bool isSheet = animData != store->animationData.end() && animData->second->sheet == found->second;
    if (!isSheet)
        delete found->second;
    store->bitmaps.erase(found);
}

void Resources::destroyFont(std::string key)
{
    // Every load fills all of 5 to 100, so the middle size stands for the key.
    if (store->fonts[50].count(key) == 0)
        return;
    for (int size = 0; size <= 100; size++) {
        auto found = store->fonts[size].find(key);
        if (found == store->fonts[size].end())
            continue;
        al_destroy_font(found->second);
        store->fonts[size].erase(found);
    }
}

void Resources::destroySong(std::string key)
{
    auto found = store->songs.find(key);
    if (found == store->songs.end())
        return;
    al_destroy_sample(found->second->sample);
    al_destroy_sample_instance(found->second->instance);
    delete found->second;
    store->songs.erase(found);
}

void Resources::destroySound(std::string key)
{
    auto found = store->sounds.find(key);
    if (found == store->sounds.end())
        return;
    al_destroy_sample(found->second);
    store->sounds.erase(found);
}

void Resources::destroyTextFile(std::string key)
{
    store->textFiles.erase(key);
}

void Resources::clearScreen()
{
    al_clear_to_color(al_map_rgba_f(0.0f, 0.0f, 0.0f, 1.0f));
}
