// The decoded-picture cache: its byte limit and order of eviction, one decoding for
// one picture however many cells show it, and linked files read only when regular.
#include "grid/view/picture_cache.h"

#include <gtest/gtest.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QBuffer>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "grid/view/cell_pictures.h"
#include "tests/grid/view/grid_fixture.h"
#include "tests/support/temp_dir.h"

namespace {

std::string encodedBitmap(int width, int height, Qt::GlobalColor color) {
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(color);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "BMP");
    return bytes.toStdString();
}

grid::PictureKey keyNumbered(uint8_t number) {
    grid::PictureKey key;
    key.digest[0] = number;
    return key;
}

grid::Cell cellOf(grid::CellKind kind, const std::string& bytes) {
    grid::Cell cell;
    cell.setFlags(grid::withKind(cell.flags(), kind));
    if (kind == grid::CellKind::Picture) {
        cell.setContent(std::span(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size()));
    } else {
        cell.setTextContent(bytes);
    }
    return cell;
}

TEST(PictureCacheTest, KeepsWithinItsLimitAndDropsTheLeastRecentlyUsed) {
    // Room for two 100 x 100 pictures of four bytes a pixel and the entries' upkeep.
    grid::PictureCache cache(2 * 40000 + 1024);
    int decodings = 0;
    auto lookUp = [&](uint8_t number) {
        cache.find(keyNumbered(number), [&] {
            ++decodings;
            QImage image(100, 100, QImage::Format_RGB32);
            image.fill(Qt::red);
            return grid::CellPicture{grid::PictureState::Decoded, image};
        });
    };
    struct Step {
        uint8_t picture;
        bool decoded;
    } steps[] = {
        {1, true},   // 1
        {2, true},   // 2 1
        {1, false},  // 1 2
        {3, true},   // 3 1: 2 went, as the one used longest ago
        {1, false},  // 1 3
        {2, true},   // 2 1: 3 went
        {3, true},   // 3 2
    };
    for (size_t index = 0; index < std::size(steps); ++index) {
        const Step& step = steps[index];
        const int before = decodings;
        lookUp(step.picture);
        EXPECT_EQ(decodings - before, step.decoded ? 1 : 0) << int(step.picture);
        EXPECT_LE(cache.bytesHeld(), 2 * 40000u + 1024u);
        EXPECT_GT(cache.bytesHeld(), 40000u);
        EXPECT_EQ(cache.pictureCount(), std::min<size_t>(index + 1, 2));
    }
    cache.clear();
    EXPECT_EQ(cache.bytesHeld(), 0u);
}

TEST(PictureCacheTest, OnePictureInManyCellsIsDecodedOnce) {
    grid::PictureCache cache(size_t{64} * 1024 * 1024);
    grid::CellPictures pictures(cache);
    const grid::Cell red = cellOf(grid::CellKind::Picture, encodedBitmap(200, 100, Qt::red));
    const grid::Cell blue = cellOf(grid::CellKind::Picture, encodedBitmap(200, 100, Qt::blue));
    for (int32_t row = 0; row < 30; ++row) {
        for (int32_t column = 0; column < 2; ++column) {
            const grid::CellPicture& picture = pictures.pictureOf(row, column, column == 0 ? red : blue);
            ASSERT_EQ(picture.state, grid::PictureState::Decoded);
            EXPECT_EQ(picture.image.pixelColor(0, 0), column == 0 ? QColor(Qt::red) : QColor(Qt::blue));
        }
    }
    EXPECT_EQ(pictures.size(), 60u);
    EXPECT_EQ(cache.pictureCount(), 2u);
    EXPECT_LT(cache.bytesHeld(), 3 * 200 * 100 * 4u);

    // The grid, its preview and the printer share the process's cache.
    grid::PictureCache::shared().clear();
    GridFixture table(12, 4);
    const std::string bytes = encodedBitmap(40, 20, Qt::red);
    table.source.setKind({0, 0, 12, 4}, grid::CellKind::Picture);
    for (int32_t row = 0; row < 12; ++row) {
        for (int32_t column = 0; column < 4; ++column) {
            table.source.setCellData(row, column, std::span(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size()));
        }
    }
    table.render();
    EXPECT_GE(table.grid.pictures().size(), 40u);
    EXPECT_EQ(grid::PictureCache::shared().pictureCount(), 1u);
}

// Opens the FIFO's other end if the look-up has not come back in time, so that a
// reader blocked on it returns and the test can fail instead of hanging.
class FifoRescue {
public:
    explicit FifoRescue(std::string path)
        : path_(std::move(path)), thread_([this] {
              std::unique_lock lock(mutex_);
              if (!done_.wait_for(lock, std::chrono::seconds(3), [this] { return finished_; })) {
                  rescued_ = true;
                  int end = ::open(path_.c_str(), O_WRONLY | O_NONBLOCK);
                  if (end >= 0) ::close(end);
              }
          }) {}
    ~FifoRescue() { finish(); }
    bool finish() {
        {
            std::lock_guard lock(mutex_);
            finished_ = true;
        }
        done_.notify_one();
        if (thread_.joinable()) thread_.join();
        return rescued_;
    }

private:
    std::string path_;
    std::mutex mutex_;
    std::condition_variable done_;
    bool finished_ = false;
    std::atomic<bool> rescued_ = false;
    std::thread thread_;
};

TEST(PictureCacheTest, LinkedPicturesAreReadOnlyFromRegularFiles) {
    TempDir directory;
    writeWholeFile(directory.file("red.bmp"), encodedBitmap(8, 8, Qt::red));
    writeWholeFile(directory.file("notes.txt"), "not a picture");
    ASSERT_EQ(::mkfifo(directory.file("pipe").c_str(), 0600), 0);
    std::filesystem::create_directory(directory.file("folder"));
    struct Case {
        std::string name;
        grid::PictureState state;
    } cases[] = {
        {directory.file("red.bmp"), grid::PictureState::Decoded},
        {directory.file("notes.txt"), grid::PictureState::Nothing},
        {directory.file("pipe"), grid::PictureState::Nothing},
        {directory.file("folder"), grid::PictureState::Nothing},
        {directory.file("missing.bmp"), grid::PictureState::Nothing},
        {"", grid::PictureState::Nothing},
    };
    grid::PictureCache cache(size_t{1} << 20);
    grid::CellPictures pictures(cache);
    int32_t row = 0;
    for (const Case& c : cases) {
        FifoRescue rescue(directory.file("pipe"));
        const grid::CellPicture& picture = pictures.pictureOf(row++, 0, cellOf(grid::CellKind::VerbatimText, c.name));
        EXPECT_EQ(picture.state, c.state) << c.name;
        EXPECT_FALSE(rescue.finish()) << c.name << ": the look-up waited for a writer";
    }

    GridFixture table(2, 2);
    table.source.setKind({0, 0, 1, 1}, grid::CellKind::VerbatimText);
    table.source.setCellText(0, 0, directory.file("pipe"));
    table.grid.selectCell(1, 1);
    FifoRescue rescue(directory.file("pipe"));
    const QImage image = table.render();
    EXPECT_FALSE(rescue.finish()) << "painting waited for a writer";
    EXPECT_TRUE(inkBounds(image, table.cellRect(0, 0).adjusted(1, 1, -1, -1), 0xFFFFFF).isEmpty());
}

}  // namespace
