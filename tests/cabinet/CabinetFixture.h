#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/app/DocTemplate.h"
#include "core/common/ProcessValues.h"
#include "core/common/Settings.h"
#include "core/cabinet/CVeskCabinet.h"
#include "core/cabinet/CabinetFile.h"
#include "core/document/CVeskDoc.h"
#include "fakes/FakeCabinet.h"
#include "fakes/FakePlatform.h"

namespace quarn {

// The program's cabinet over an in-memory directory /w holding a binary
// file, a text file and the cabinet /w/one.cab (not yet written).
class CabinetTest : public ::testing::Test {
 protected:
  CabinetTest() : savedSettings_(gSettings), savedCabinet_(gCabinet) {
    Documents().SetFrameFactory(&frames);
    gCabinet = CVeskCabinet();
    gCabinet.SetFrames(&frames);
    gCabinet.SetPath("/w/one.cab");
    CabinetDialogs() = &dialogs;
    platform.files.currentDirectory = "/w";
    platform.files.directories = {"/w"};
    platform.files.files["/w/a.bin"] = std::string("\x01\x02\x03", 3);
    platform.files.files["/w/b.txt"] = "line one\r\nline two\r\nthree\r\n";
  }
  ~CabinetTest() override {
    Documents().CloseAll();
    Documents().SetFrameFactory(nullptr);
    CabinetDialogs() = nullptr;
    gCabinet = savedCabinet_;
    gSettings = savedSettings_;
  }
  CVeskDoc* Open(const std::string& path, int kind) {
    gProcess.nextDocKind = kind;
    return Documents().OpenDocumentFile(path);
  }
  std::vector<std::string> OpenPaths() const {
    std::vector<std::string> paths;
    for (std::size_t i = 0; i < Documents().Count(); ++i) paths.push_back(Documents().At(i).GetPathName());
    return paths;
  }
  CabinetContents File(const std::string& path) { return ReadCabinet(platform.files.files[path]); }
  // Another cabinet listing paths, with the C type.
  void WriteOther(const std::string& cabinet, const std::vector<std::string>& paths) {
    std::vector<CabinetEntry> entries(paths.size());
    for (std::size_t i = 0; i < paths.size(); ++i) entries[i].path = paths[i];
    platform.files.files[cabinet] = WriteCabinet(entries, CabinetSet::Builtin(kDocTypeC));
  }
  fakes::FakePlatform platform;
  fakes::FakeCabinetFrames frames;
  fakes::FakeCabinetDialogs dialogs;
 private:
  AppSettings savedSettings_;
  CVeskCabinet savedCabinet_;
};

}  // namespace quarn
