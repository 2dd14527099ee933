// Identical read-only arrays kept once. The meshes of an animation's frames repeat their face
// lists and texture coordinates frame after frame; each distinct array is stored a single time
// and freed with its last user.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <unordered_map>
#include <vector>

namespace rm_shared_arrays
{
// The arrays alive, by the hash of their bytes. Made once and never destroyed, so an array
// freed while the program ends still finds it.
template <typename T>
std::unordered_multimap<std::uint64_t, std::weak_ptr<const std::vector<T>>>& Pool()
{
    static auto* pPool = new std::unordered_multimap<std::uint64_t, std::weak_ptr<const std::vector<T>>>;
    return *pPool;
}

// Frees an array and takes it out of the pool.
template <typename T>
struct cUnpool
{
    std::uint64_t Hash;
    void operator()(const std::vector<T>* pArray) const
    {
        auto& Arrays = Pool<T>();
        const auto Range = Arrays.equal_range(Hash);
        for (auto It = Range.first; It != Range.second; ++It)
        {
            // The entry whose array is going: its own entry is the one that has expired and
            // that no new array has taken the place of.
            if (It->second.expired())
            {
                Arrays.erase(It);
                break;
            }
        }
        delete pArray;
    }
};
}  // namespace rm_shared_arrays

// The one stored array equal to Values, made from Values when there is none yet. Throws
// std::bad_alloc. The layer runs on one thread.
template <typename T>
std::shared_ptr<const std::vector<T>> ShareArray(std::vector<T>&& Values)
{
    // FNV-1a over the elements' bytes.
    std::uint64_t Hash = 14695981039346656037ull;
    const auto* pByte = reinterpret_cast<const unsigned char*>(Values.data());
    for (std::size_t i = 0; i < Values.size() * sizeof(T); ++i)
        Hash = (Hash ^ pByte[i]) * 1099511628211ull;

    auto& Arrays = rm_shared_arrays::Pool<T>();
    const auto Range = Arrays.equal_range(Hash);
    for (auto It = Range.first; It != Range.second; ++It)
        if (std::shared_ptr<const std::vector<T>> Stored = It->second.lock())
            if (*Stored == Values)
                return Stored;
    // Should the shared pointer or the entry find no room, the deleter frees the array again.
    const std::shared_ptr<const std::vector<T>> Made(new std::vector<T>(std::move(Values)),
                                                     rm_shared_arrays::cUnpool<T>{Hash});
    Arrays.emplace(Hash, Made);
    return Made;
}
