#include "platform/store/store.h"

#include <gtest/gtest.h>

#include "platform/files/files.h"
#include "support/temp_dir.h"

namespace platform {
namespace {

constexpr const char* kVolume = "\\Hard Disk\\Records";

class StoreTest : public ::testing::Test {
  protected:
    void SetUp() override {
        configureDevicePaths(dir.str(), "");
        createFolder("\\Hard Disk");
    }

    static DatabaseDef layout() {
        return {"Names",
                7,
                {{1, PropertyType::String}, {2, PropertyType::String}, {3, PropertyType::FileTime}},
                {{1, 2, 3}, {2, 1, 3}, {3, 1, 2}}};
    }

    static Record record(std::string a, std::string b, FileTime t) {
        Record r(3);
        r[0] = {1, PropertyType::String, std::move(a), 0};
        r[1] = {2, PropertyType::String, std::move(b), 0};
        r[2] = {3, PropertyType::FileTime, {}, t};
        return r;
    }

    // The first property of every record, in the order of a sort order.
    static std::string firsts(Volume& v, DatabaseId id, size_t order) {
        std::string out;
        EXPECT_EQ(v.readRecords(id, order, [&](const Record& r) { out += r.at(0).text + ","; }),
                  kStoreOk);
        return out;
    }

    testsupport::TempDir dir;
};

TEST_F(StoreTest, SortOrdersAreIndexesKeptAcrossMounts) {
    DatabaseId id = 0;
    {
        Volume v;
        ASSERT_EQ(v.mount(kVolume), kStoreOk);
        EXPECT_EQ(v.findDatabase("Names", id), kStoreFileNotFound);
        ASSERT_EQ(v.createDatabase(layout(), id), kStoreOk);
        EXPECT_EQ(v.createDatabase(layout(), id), kStoreInvalidParameter);  // name in use
        // Written in an order that none of the sort orders follows.
        ASSERT_EQ(v.writeRecord(id, record("b", "Z", 30)), kStoreOk);
        ASSERT_EQ(v.writeRecord(id, record("a", "Y", 20)), kStoreOk);
        ASSERT_EQ(v.writeRecord(id, record("B", "X", 40)), kStoreOk);
        ASSERT_EQ(v.writeRecord(id, record("c", "A", 10)), kStoreOk);
        ASSERT_EQ(v.writeRecord(id, record("a", "Y", 5)), kStoreOk);
    }
    Volume v;
    ASSERT_EQ(v.mount(kVolume), kStoreOk);
    DatabaseId found = 0;
    ASSERT_EQ(v.findDatabase("Names", found), kStoreOk);
    EXPECT_EQ(found, id);
    uint32_t count = 0;
    ASSERT_EQ(v.recordCount(id, count), kStoreOk);
    EXPECT_EQ(count, 5u);
    // Case-sensitive: capitals before small letters; equal keys fall to the next key.
    EXPECT_EQ(firsts(v, id, 0), "B,a,a,b,c,");
    EXPECT_EQ(firsts(v, id, 1), "c,B,a,a,b,");
    EXPECT_EQ(firsts(v, id, 2), "a,c,a,b,B,");
    std::vector<FileTime> times;
    v.readRecords(id, 0, [&](const Record& r) { times.push_back(r.at(2).time); });
    EXPECT_EQ(times, (std::vector<FileTime>{40, 5, 20, 30, 10}));
    EXPECT_EQ(v.readRecords(id, 3, [](const Record&) {}), kStoreInvalidParameter);
    EXPECT_EQ(v.check(), kStoreOk);
}

TEST_F(StoreTest, EqualKeysKeepWritingOrderAndBadRecordsAreRefused) {
    Volume v;
    ASSERT_EQ(v.mount(kVolume), kStoreOk);
    DatabaseId id = 0;
    ASSERT_EQ(v.createDatabase(
                  {"Few", 0, {{1, PropertyType::String}, {9, PropertyType::FileTime}}, {{9}}}, id),
              kStoreOk);
    for (const char* text : {"first", "second", "third"}) {
        Record r{{1, PropertyType::String, text, 0}, {9, PropertyType::FileTime, {}, 77}};
        ASSERT_EQ(v.writeRecord(id, r), kStoreOk);
    }
    EXPECT_EQ(firsts(v, id, 0), "first,second,third,");

    EXPECT_EQ(v.writeRecord(id, {{2, PropertyType::String, "x", 0}}), kStoreInvalidParameter);
    EXPECT_EQ(v.writeRecord(id, {{9, PropertyType::String, "x", 0}}), kStoreInvalidParameter);
    EXPECT_EQ(
        v.writeRecord(id, {{1, PropertyType::String, "x", 0}, {1, PropertyType::String, "y", 0}}),
        kStoreInvalidParameter);
    EXPECT_EQ(v.writeRecord(id + 1, {}), kStoreFileNotFound);
    // A record without some property reads back without it.
    ASSERT_EQ(v.writeRecord(id, {{9, PropertyType::FileTime, {}, 1}}), kStoreOk);
    std::vector<size_t> sizes;
    v.readRecords(id, 0, [&](const Record& r) { sizes.push_back(r.size()); });
    EXPECT_EQ(sizes, (std::vector<size_t>{1, 2, 2, 2}));

    DatabaseId unused = 0;
    EXPECT_EQ(v.createDatabase({"Bad", 0, {{1, PropertyType::String}}, {{2}}}, unused),
              kStoreInvalidParameter);
    EXPECT_EQ(v.createDatabase({"", 0, {{1, PropertyType::String}}, {}}, unused),
              kStoreInvalidParameter);
}

TEST_F(StoreTest, FilesThatAreNotVolumesAreDamagedAndEmptyOnesAreNew) {
    Volume v;
    dir.write("Hard Disk/Records", std::string(5000, 'x'));
    EXPECT_EQ(v.mount(kVolume), kStoreFileCorrupt);
    EXPECT_FALSE(v.isMounted());

    // A SQLite file without the volume's mark is not taken over.
    dir.write("Hard Disk/Records", "");
    ASSERT_EQ(v.mount(kVolume), kStoreOk);
    DatabaseId id = 0;
    ASSERT_EQ(v.createDatabase(layout(), id), kStoreOk);
    v.dismount();
    std::string bytes = dir.read("Hard Disk/Records");
    bytes[68] = 0;  // the application id in the header
    bytes[69] = 0;
    bytes[70] = 0;
    bytes[71] = 0;
    dir.write("Hard Disk/Records", bytes);
    EXPECT_EQ(v.mount(kVolume), kStoreFileCorrupt);

    EXPECT_EQ(v.mount("\\Missing Folder\\Records"), kStorePathNotFound);
}

TEST_F(StoreTest, DamageInsideTheFileIsFoundByTheCheck) {
    DatabaseId id = 0;
    {
        Volume v;
        ASSERT_EQ(v.mount(kVolume), kStoreOk);
        ASSERT_EQ(v.createDatabase(layout(), id), kStoreOk);
        for (int i = 0; i < 4; ++i) {
            ASSERT_EQ(v.writeRecord(id, record(std::string(8000, 'a' + i), "node", i)), kStoreOk);
        }
    }
    std::string bytes = dir.read("Hard Disk/Records");
    ASSERT_GT(bytes.size(), 8u * 4096);
    for (size_t i = 5 * 4096; i < 7 * 4096; ++i)
        bytes[i] = static_cast<char>(i * 7);
    dir.write("Hard Disk/Records", bytes);
    Volume v;
    ASSERT_EQ(v.mount(kVolume), kStoreOk);  // the first page is whole
    EXPECT_EQ(v.check(), kStoreFileCorrupt);
}

TEST_F(StoreTest, VolumesMoveAndGoWithTheirJournal) {
    {
        Volume v;
        ASSERT_EQ(v.mount(kVolume), kStoreOk);
    }
    dir.write("Hard Disk/Records-journal", "left by a crash");
    dir.write("Hard Disk/Taken", "x");
    EXPECT_FALSE(moveVolume(kVolume, "\\Hard Disk\\Taken"));
    EXPECT_TRUE(fileInfo(kVolume).has_value());

    ASSERT_TRUE(moveVolume(kVolume, "\\Hard Disk\\Aside"));
    EXPECT_FALSE(fileInfo(kVolume).has_value());
    EXPECT_FALSE(fileInfo("\\Hard Disk\\Records-journal").has_value());
    EXPECT_EQ(dir.read("Hard Disk/Aside-journal"), "left by a crash");

    EXPECT_TRUE(deleteVolume("\\Hard Disk\\Aside"));
    EXPECT_FALSE(fileInfo("\\Hard Disk\\Aside").has_value());
    EXPECT_FALSE(fileInfo("\\Hard Disk\\Aside-journal").has_value());
    EXPECT_TRUE(deleteVolume("\\Hard Disk\\Aside"));  // nothing left is no failure
}

TEST_F(StoreTest, VolumeBytesMountFromMemoryAsFromTheFile) {
    {
        Volume v;
        ASSERT_EQ(v.mount(kVolume), kStoreOk);
        DatabaseId id = 0;
        ASSERT_EQ(v.createDatabase(layout(), id), kStoreOk);
        ASSERT_EQ(v.writeRecord(id, record("b", "Z", 30)), kStoreOk);
        ASSERT_EQ(v.writeRecord(id, record("a", "Y", 20)), kStoreOk);
    }
    const std::string file = dir.read("Hard Disk/Records");
    const std::vector<uint8_t> bytes(file.begin(), file.end());
    Volume v;
    ASSERT_EQ(v.mountImage(bytes), kStoreOk);
    DatabaseId id = 0;
    ASSERT_EQ(v.findDatabase("Names", id), kStoreOk);
    EXPECT_EQ(firsts(v, id, 0), "a,b,");
    EXPECT_EQ(v.check(), kStoreOk);

    std::vector<uint8_t> damaged = bytes;
    damaged[0] ^= 0xFF;
    EXPECT_NE(v.mountImage(damaged), kStoreOk);
    ASSERT_EQ(v.mountImage({}), kStoreOk);  // empty: a new volume, as an empty file is
    EXPECT_EQ(v.findDatabase("Names", id), kStoreFileNotFound);
    EXPECT_EQ(dir.read("Hard Disk/Records"), file) << "nothing written back";
}

TEST_F(StoreTest, LayoutsAreReadForEachMountAndADatabaseMadeLaterIsFound) {
    Volume v;
    ASSERT_EQ(v.mountImage({}), kStoreOk);
    uint32_t count = 0;
    EXPECT_EQ(v.recordCount(1, count), kStoreFileNotFound);
    DatabaseId id = 0;
    ASSERT_EQ(v.createDatabase({"Few", 0, {{1, PropertyType::String}}, {{1}}}, id), kStoreOk);
    ASSERT_EQ(id, 1);
    ASSERT_EQ(v.writeRecord(id, {{1, PropertyType::String, "x", 0}}), kStoreOk);
    EXPECT_EQ(firsts(v, id, 0), "x,");

    // Another volume whose database 1 has three sort orders, mounted by the same Volume.
    {
        Volume file;
        ASSERT_EQ(file.mount(kVolume), kStoreOk);
        ASSERT_EQ(file.createDatabase(layout(), id), kStoreOk);
        ASSERT_EQ(id, 1);
        ASSERT_EQ(file.writeRecord(id, record("a", "b", 1)), kStoreOk);
    }
    const std::string other = dir.read("Hard Disk/Records");
    ASSERT_EQ(v.mountImage(std::vector<uint8_t>(other.begin(), other.end())), kStoreOk);
    EXPECT_EQ(firsts(v, 1, 2), "a,");
    ASSERT_EQ(v.recordCount(1, count), kStoreOk);
    EXPECT_EQ(count, 1u);
}

TEST_F(StoreTest, OnlyAJournalWithAZeroHeaderIsStale) {
    dir.write("Hard Disk/Records-journal", std::string(512, '\0'));
    EXPECT_TRUE(removeStaleJournal(kVolume));
    EXPECT_FALSE(fileInfo("\\Hard Disk\\Records-journal").has_value());
    dir.write("Hard Disk/Records-journal", "");
    EXPECT_TRUE(removeStaleJournal(kVolume));
    // A journal with a header may still roll back a write.
    std::string hot(512, '\0');
    hot[0] = static_cast<char>(0xD9);
    dir.write("Hard Disk/Records-journal", hot);
    EXPECT_FALSE(removeStaleJournal(kVolume));
    EXPECT_TRUE(fileInfo("\\Hard Disk\\Records-journal").has_value());
    EXPECT_FALSE(removeStaleJournal("\\Hard Disk\\Missing"));
}

}  // namespace
}  // namespace platform
