// cGltfBuffer: appends binary data to a glTF document's one buffer and describes it with buffer
// views and accessors.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include <tiny_gltf.h>

class cGltfBuffer
{
public:
    // Adds the document's buffer; the document must outlive this object.
    explicit cGltfBuffer(tinygltf::Model& Doc);

    // A view of Bytes bytes copied from pData, starting on a four-byte boundary. Target 0: none.
    int AddView(const void* pData, std::size_t Bytes, int Target);
    // VEC2/VEC3 float data (Components per element); with bMinMax the accessor carries the
    // per-component bounds, as POSITION accessors must.
    int AddFloats(const std::vector<float>& Data, int Type, int Components, int Target,
                  bool bMinMax);
    int AddIndices(const std::vector<std::uint32_t>& Indices);

private:
    std::vector<unsigned char>& Data() { return mDoc.buffers[mBuffer].data; }

    tinygltf::Model& mDoc;
    std::size_t mBuffer;
};
