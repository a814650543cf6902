#pragma once
// A data folder of its own for each test, and the bytes of the files it
// holds, made as the program makes them.

#include "app/DataFolder.h"
#include "resources/LittleEndian.h"
#include "session/GameSettings.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
#include <string>
#include <utility>
#include <vector>

struct DataFolderFixture : ::testing::Test {
    TempFolder folder;
    std::unique_ptr<ScopedCurrentFolder> here;
    GameSettings::Bytes payload = GameSettings().Encode();

    void SetUp() override
    {
        here = std::make_unique<ScopedCurrentFolder>(folder.Path());
        theDataPrefix.clear();
        folder.MakeFolder("DATA");
    }
    std::string Log() const { return folder.Read("DATA/USERS.DAT"); }
    // The files beside the log or the registry whose names start so.
    std::vector<std::string> Beside(const std::string& start) const
    {
        std::vector<std::string> found;
        for (const std::string& name : folder.List("DATA"))
            if (name.rfind(start, 0) == 0)
                found.push_back(name);
        return found;
    }
    std::string Record(std::int32_t user, std::int32_t kind, const std::string& data) const
    {
        std::vector<unsigned char> bytes;
        PutLE32(bytes, static_cast<std::uint32_t>(user));
        PutLE32(bytes, static_cast<std::uint32_t>(kind));
        PutLE32(bytes, static_cast<std::uint32_t>(data.size()));
        return std::string(bytes.begin(), bytes.end()) + data;
    }
    // A registry of the given (name, id) records.
    std::string Registry(const std::vector<std::pair<std::string, std::int32_t>>& users) const
    {
        std::vector<unsigned char> bytes = {'A', 'N', 'A', 0x1A};
        PutLE32(bytes, static_cast<std::uint32_t>(users.size()));
        for (const auto& [name, id] : users) {
            std::string field = name;
            field.resize(24, '\0');
            bytes.insert(bytes.end(), field.begin(), field.end());
            PutLE32(bytes, static_cast<std::uint32_t>(id));
            bytes.insert(bytes.end(), payload.begin(), payload.end());
        }
        return std::string(bytes.begin(), bytes.end());
    }
};
