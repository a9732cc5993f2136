#pragma once

#include <cstddef>
#include <new>
#include <stdexcept>
#include <vector>

// Growth of the workspace's lists (basket, regions, edges) one element at a
// time, reporting failure instead of throwing: running out of memory is a
// message to the user, never the end of the program.
namespace listgrowth {

// Lets tests run the out-of-memory paths: after `allowed` more successful
// growths every growth fails, until reset with a negative value.
void simulateFailureAfter(int allowed);
bool nextGrowthAllowed();

} // namespace listgrowth

template <class T>
bool TryGrowList(std::vector<T>& list, std::size_t newSize)
{
    if (!listgrowth::nextGrowthAllowed())
        return false;
    try {
        list.resize(newSize);
    } catch (const std::bad_alloc&) {
        return false;
    } catch (const std::length_error&) {
        return false;
    }
    return true;
}
