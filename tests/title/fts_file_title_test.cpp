// Full-text files inside a title: the file kinds over a real container, and a catalogue that does
// not open.
#include <gtest/gtest.h>

#include "engine/compress/zeck_compressor.h"
#include "engine/fts/common/fts_file.h"
#include "engine/mvfs/fs_authoring.h"
#include "engine/zeck/zeck_decompress.h"
#include "engine/title/catalog.h"
#include "platform/base/byte_io.h"
#include "tests/title/title_fixture.h"
#include "tools/titlebuild/catalog_writer.h"

namespace {

using namespace fts;

std::string title_with_files(const std::string& name, const std::vector<std::pair<std::string, std::vector<uint8_t>>>& files) {
  titlebuild::LibraryTitleSource source;
  source.topics = title_test::topics_of({{50}});
  titlebuild::TitleBuilder builder;
  titlebuild::TopicFileLayout layout;
  EXPECT_EQ(titlebuild::AddLibraryTitle(builder, source, layout), 0);
  for (const auto& [file, bytes] : files) builder.add_file(file, bytes);
  const std::string path = title_test::title_path(name);
  EXPECT_EQ(builder.write(path), 0);
  return path;
}

TEST(FtsFileInTitle, KindsOverAContainer) {
  const std::string path = title_with_files("fts_kinds", {{"|MVINDEX", {'i', 'n', 'd', 'e', 'x'}}});
  FtsError e;
  // Kind 2 by "title!internal" opens the container into the wrapper slot.
  FtsFilePtr wrapper;
  FtsFilePtr index = FtsFileOpen(&wrapper, path + "!|MVINDEX", "|X", FtsFileKind::kInternal, 0, &e);
  ASSERT_NE(index, nullptr) << e.code;
  ASSERT_NE(wrapper, nullptr);
  EXPECT_EQ(FtsFileGetKind(wrapper.get()), FtsFileKind::kFileSystem);
  char buffer[8] = {};
  EXPECT_EQ(FtsFileReadAt(index.get(), buffer, 1, 8, &e), 4);
  EXPECT_EQ(std::string(buffer, 4), "ndex");
  // A container is not read as a stream; a wrapper transfers nothing.
  EXPECT_EQ(FtsFileReadAt(wrapper.get(), buffer, 0, 2, &e), kFtsTransferFailed);
  EXPECT_EQ(e.code, kFtsDamaged);
  FtsFilePtr wrap = FtsWrapFileSystem(FtsFileSystemOf(wrapper.get()), &e);
  ASSERT_NE(wrap, nullptr);
  EXPECT_EQ(FtsFileReadAt(wrap.get(), buffer, 0, 2, &e), 0);
  EXPECT_EQ(e.code, 0);
  // The default internal name, and a missing one.
  FtsFilePtr again = FtsFileOpen(&wrap, "", "|MVINDEX", FtsFileKind::kInternal, 0, &e);
  ASSERT_NE(again, nullptr);
  EXPECT_EQ(FtsFileOpen(&wrap, "|NONE", "", FtsFileKind::kInternal, 0, &e), nullptr);
  EXPECT_EQ(e.code, kFtsNotFound);
  FtsFileClose(std::move(again));
  FtsFreeWrapper(std::move(wrap));
  // Closing the container first is safe: the internal file keeps it alive.
  EXPECT_EQ(FtsFileClose(std::move(wrapper)), 0);
  EXPECT_EQ(FtsFileReadAt(index.get(), buffer, 0, 5, &e), 5);
  EXPECT_EQ(FtsFileClose(std::move(index)), 0);
  EXPECT_EQ(FtsFileOpen(nullptr, path + ".none!|MVINDEX", "", FtsFileKind::kInternal, 0, &e), nullptr);
  EXPECT_NE(e.code, 0);
}

TEST(FtsFileInTitle, CatalogueHeaderChecks) {
  struct Case {
    const char* name;
    std::vector<uint8_t> file;
    bool opens;
  };
  std::vector<uint8_t> small = titlebuild::CatalogFile({1, 2, 3}, 2);
  std::vector<uint8_t> version = titlebuild::CatalogFile({1}, 4, 0, 9);
  std::vector<uint8_t> magic = titlebuild::CatalogFile({1});
  magic[0] = 0x12;
  const Case cases[] = {{"record size 2", small, false},
                        {"version 9", version, false},
                        {"magic", magic, false},
                        {"short header", {0x11, 0x11, 8, 0}, false},
                        {"version 7, record size 32", titlebuild::CatalogFile({5, 6}, 32, 10, 7), true}};
  for (const Case& c : cases) {
    const std::string path = title_with_files(std::string("catalogue_") + std::to_string(&c - cases), {{"|CATALOG", c.file}});
    FtsError e;
    std::unique_ptr<title::FtsCatalog> catalog = title::FtsOpenCatalog(nullptr, path + "!|CATALOG", &e);
    EXPECT_EQ(catalog != nullptr, c.opens) << c.name;
    if (!catalog) {
      EXPECT_EQ(e.code, kFtsBadType) << c.name;
      continue;
    }
    uint8_t record[32];
    EXPECT_EQ(title::FtsReadCatalog(catalog.get(), record, sizeof record, 11), 0);
    EXPECT_EQ(record[0], 6);
    EXPECT_EQ(title::FtsReadCatalog(catalog.get(), record, sizeof record, 9), kFtsOutOfRange);
    EXPECT_EQ(title::FtsReadCatalog(catalog.get(), record, sizeof record, 12), kFtsOutOfRange);
    title::FtsCloseCatalog(std::move(catalog));
  }
}

// A damaged header's record size and count do not size the cache: a read takes at most 4 KB of
// records (one record when a record is larger), however many the header promises.
TEST(FtsFileInTitle, CatalogueCacheIsBoundedWhateverTheHeaderSays) {
  struct Case {
    uint16_t record_size;
    size_t cached;
  } cases[] = {{4, 100}, {600, 6}, {0xFFFF, 1}};
  for (const Case& c : cases) {
    std::vector<int32_t> addresses(300);
    for (size_t n = 0; n < addresses.size(); ++n) addresses[n] = int32_t(n * 10);
    std::vector<uint8_t> file = titlebuild::CatalogFile(addresses, c.record_size);
    base::store_le32(file.data() + 6, 0x7FFFFFFF);  // the count
    const std::string path = title_with_files("catalogue_cache" + std::to_string(c.record_size), {{"|CATALOG", file}});
    FtsError e;
    std::unique_ptr<title::FtsCatalog> catalog = title::FtsOpenCatalog(nullptr, path + "!|CATALOG", &e);
    ASSERT_NE(catalog, nullptr) << c.record_size;
    std::vector<uint8_t> record(c.record_size);
    EXPECT_EQ(title::FtsReadCatalog(catalog.get(), record.data(), record.size(), 7), 0) << c.record_size;
    EXPECT_EQ(base::load_le32(record.data()), 70u) << c.record_size;
    EXPECT_EQ(catalog->cache.size(), c.cached * c.record_size) << c.record_size;
    // Past what the file holds the read fails.
    EXPECT_NE(title::FtsReadCatalog(catalog.get(), record.data(), record.size(), 400), 0) << c.record_size;
    title::FtsCloseCatalog(std::move(catalog));
  }
}

TEST(ZeckPatchFile, PatchesCompressedOutputInAnInternalFile) {
  std::string text;
  for (int i = 0; i < 80; ++i) text += "Dz.U. poz. ";
  std::vector<compress::ZeckRegion> regions(1);
  regions[0].inputPosition = 301;
  regions[0].length = 6;
  std::vector<uint8_t> packed(compress::ZeckMaxCompressedSize(text.size()));
  compress::ZeckCompressor compressor;
  size_t used = 0;
  int code = -1;
  packed.resize(compressor.ZeckCompressEx(0, reinterpret_cast<const uint8_t*>(text.data()), text.size(), packed.data(),
                                          packed.size(), used, regions, code));
  ASSERT_EQ(code, 0);
  const std::string path = title_test::title_path("patch");
  base::remove_file(path);
  const mvfs::FileMoniker moniker(path);
  mvfs::TitleFileSystemPtr fs = mvfs::FsCreate(&moniker, nullptr);
  ASSERT_NE(fs, nullptr);
  mvfs::InternalFilePtr file = mvfs::FsCreateFile(fs.get(), "|PICTURE", 0);
  ASSERT_NE(file, nullptr);
  const uint8_t prefix[3] = {7, 7, 7};
  mvfs::FsWriteFile(file.get(), prefix, 3);
  mvfs::FsWriteFile(file.get(), packed.data(), int64_t(packed.size()));
  ASSERT_TRUE(compress::ZeckPatchFile(file.get(), 3, regions[0], 1, 0x34333231, true));
  EXPECT_EQ(mvfs::FsTellFile(file.get()), int64_t(3 + packed.size()));
  ASSERT_EQ(mvfs::FsCloseFile(std::move(file)), 0);
  file = mvfs::FsOpenFile(fs.get(), "|PICTURE", mvfs::kFsOpenReadOnly);
  ASSERT_NE(file, nullptr);
  std::vector<uint8_t> stored(3 + packed.size());
  ASSERT_EQ(mvfs::FsReadFile(file.get(), stored.data(), int64_t(stored.size())), int64_t(stored.size()));
  mvfs::FsCloseFile(std::move(file));
  mvfs::FsClose(std::move(fs));
  std::string decoded(text.size(), '\0');
  decoded.resize(zeck::ZeckDecompress(stored.data() + 3, reinterpret_cast<uint8_t*>(decoded.data()), packed.size(),
                                      decoded.size()));
  std::string expected = text;
  expected.replace(302, 4, "1234");
  EXPECT_EQ(decoded, expected);
}

}  // namespace
