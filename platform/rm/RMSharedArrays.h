// Identical read-only arrays kept once. The meshes of an animation's frames repeat their face
// lists and texture coordinates frame after frame; each distinct array is stored a single time
// and freed with its last user.
#pragma once

#include <cstddef>
#include <cstdint>
#include <iterator>
#include <memory>
#include <unordered_map>
#include <vector>

// The one stored array equal to Values, made from Values when there is none yet. Throws
// std::bad_alloc. The layer runs on one thread.
template <typename T>
std::shared_ptr<const std::vector<T>> ShareArray(std::vector<T>&& Values)
{
    static std::unordered_multimap<std::uint64_t, std::weak_ptr<const std::vector<T>>> Pool;
    static std::size_t SweepAt = 64;

    // FNV-1a over the elements' bytes.
    std::uint64_t Hash = 14695981039346656037ull;
    const auto* pByte = reinterpret_cast<const unsigned char*>(Values.data());
    for (std::size_t i = 0; i < Values.size() * sizeof(T); ++i)
        Hash = (Hash ^ pByte[i]) * 1099511628211ull;

    const auto Range = Pool.equal_range(Hash);
    for (auto It = Range.first; It != Range.second; ++It)
        if (std::shared_ptr<const std::vector<T>> Stored = It->second.lock())
            if (*Stored == Values)
                return Stored;
    std::shared_ptr<const std::vector<T>> Made = std::make_shared<const std::vector<T>>(std::move(Values));
    Pool.emplace(Hash, Made);
    // Entries of arrays whose users are all gone are dropped now and then, so the pool stays
    // about as large as what is alive.
    if (Pool.size() >= SweepAt)
    {
        for (auto It = Pool.begin(); It != Pool.end();)
            It = It->second.expired() ? Pool.erase(It) : std::next(It);
        SweepAt = 2 * (Pool.size() > 32 ? Pool.size() : 32);
    }
    return Made;
}
