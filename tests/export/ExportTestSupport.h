// Fixtures for the exporter tests: a generated model in a scratch folder, a run of the
// exporter program, and the export read back with tinygltf (PNG images decoded by libpng).
#pragma once

#include <filesystem>
#include <memory>
#include <string>

#include <gtest/gtest.h>
#include <tiny_gltf.h>

#include "tests/common/TempFolder.h"
#include "tools/zgen/ZentorGen.h"

class cExportTest : public testing::Test
{
protected:
    void SetUp() override;
    void TearDown() override;

    // Writes a model of several frames, sequences, textures and every polygon kind; then
    // makes two triangles use texture number 7 (mapped to no texture) and one 200 (left out).
    cGenResult WriteMixedModel();
    // Runs tessaly-export with Args; its stderr is kept in mStderr. Returns the exit status.
    int Export(const std::string& Args);
    // Reads a .glb or .gltf; fails the test when tinygltf cannot.
    tinygltf::Model Load(const std::string& Path) const;
    std::string Out(const std::string& Name) const { return (mRoot / Name).string(); }
    // Files in the scratch folder's top level, the generated content excluded.
    int CountOutputFiles() const;

    std::unique_ptr<cTempFolder> mFolder;
    std::filesystem::path mRoot;
    std::string mStderr;
};

// The float vector an accessor holds (every component, in order).
std::vector<float> ReadFloats(const tinygltf::Model& Doc, int Accessor);
std::vector<std::uint32_t> ReadIndices(const tinygltf::Model& Doc, int Accessor);
// The whole content of a file; empty when it cannot be read.
std::string ReadFileBytes(const std::string& Path);
