// cGltfBuffer: buffer views and accessors over the document's one buffer.
#include "export/GltfBuffer.h"

#include <algorithm>
#include <cstring>

cGltfBuffer::cGltfBuffer(tinygltf::Model& Doc)
    : mDoc(Doc), mBuffer(Doc.buffers.size())
{
    mDoc.buffers.emplace_back();
}

int cGltfBuffer::AddView(const void* pData, std::size_t Bytes, int Target)
{
    std::vector<unsigned char>& Bin = Data();
    Bin.resize((Bin.size() + 3) & ~std::size_t(3), 0);
    tinygltf::BufferView View;
    View.buffer = 0;
    View.byteOffset = Bin.size();
    View.byteLength = Bytes;
    View.target = Target;
    Bin.resize(Bin.size() + Bytes);
    if (Bytes)
        std::memcpy(Bin.data() + View.byteOffset, pData, Bytes);
    mDoc.bufferViews.push_back(View);
    return static_cast<int>(mDoc.bufferViews.size() - 1);
}

int cGltfBuffer::AddFloats(const std::vector<float>& Data, int Type, int Components, int Target,
                           bool bMinMax)
{
    tinygltf::Accessor Acc;
    Acc.bufferView = AddView(Data.data(), Data.size() * sizeof(float), Target);
    Acc.componentType = TINYGLTF_COMPONENT_TYPE_FLOAT;
    Acc.type = Type;
    Acc.count = Data.size() / Components;
    if (bMinMax && Acc.count > 0)
    {
        Acc.minValues.assign(Data.begin(), Data.begin() + Components);
        Acc.maxValues = Acc.minValues;
        for (std::size_t i = 0; i < Data.size(); ++i)
        {
            double& Min = Acc.minValues[i % Components];
            double& Max = Acc.maxValues[i % Components];
            Min = std::min<double>(Min, Data[i]);
            Max = std::max<double>(Max, Data[i]);
        }
    }
    mDoc.accessors.push_back(Acc);
    return static_cast<int>(mDoc.accessors.size() - 1);
}

int cGltfBuffer::AddIndices(const std::vector<std::uint32_t>& Indices)
{
    tinygltf::Accessor Acc;
    Acc.bufferView = AddView(Indices.data(), Indices.size() * sizeof(std::uint32_t),
                             TINYGLTF_TARGET_ELEMENT_ARRAY_BUFFER);
    Acc.componentType = TINYGLTF_COMPONENT_TYPE_UNSIGNED_INT;
    Acc.type = TINYGLTF_TYPE_SCALAR;
    Acc.count = Indices.size();
    mDoc.accessors.push_back(Acc);
    return static_cast<int>(mDoc.accessors.size() - 1);
}
