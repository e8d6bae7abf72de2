#include "image/memory_image.h"

#include <algorithm>
#include <cstring>

namespace r605 {

namespace {

template <class Page>
std::vector<std::unique_ptr<Page>> copyPages(const std::vector<std::unique_ptr<Page>>& pages) {
    std::vector<std::unique_ptr<Page>> copy(pages.size());
    for (std::size_t i = 0; i < pages.size(); ++i) {
        if (pages[i])
            copy[i] = std::make_unique<Page>(*pages[i]);
    }
    return copy;
}

} // namespace

MemoryImage::MemoryImage() : m_pages(kSize / kPageSize) {}
MemoryImage::MemoryImage(const MemoryImage& other) : m_pages(copyPages(other.m_pages)) {}
MemoryImage& MemoryImage::operator=(const MemoryImage& other) {
    if (this != &other)
        m_pages = copyPages(other.m_pages);
    return *this;
}
MemoryImage::~MemoryImage() = default;

MemoryImage::Page* MemoryImage::pageFor(std::uint32_t address) {
    auto& page = m_pages[address / kPageSize];
    if (!page)
        page = std::make_unique<Page>(Page{});
    return page.get();
}

const MemoryImage::Page* MemoryImage::pageAt(std::uint32_t address) const {
    return m_pages[address / kPageSize].get();
}

std::uint8_t MemoryImage::read(std::uint32_t address) const {
    if (!contains(address))
        return 0;
    const Page* page = pageAt(address);
    return page ? (*page)[address % kPageSize] : 0;
}

void MemoryImage::write(std::uint32_t address, std::uint8_t value) {
    if (!contains(address))
        return;
    if (value == 0 && !pageAt(address))
        return; // a zero into an unallocated page changes nothing
    (*pageFor(address))[address % kPageSize] = value;
}

void MemoryImage::read(std::uint32_t address, std::span<std::uint8_t> out) const {
    std::size_t done = 0;
    while (done < out.size()) {
        const std::uint64_t at = std::uint64_t{address} + done;
        if (at >= kSize) {
            std::fill(out.begin() + static_cast<std::ptrdiff_t>(done), out.end(), 0);
            return;
        }
        const auto a = static_cast<std::uint32_t>(at);
        const std::size_t offset = a % kPageSize;
        const std::size_t chunk = std::min<std::size_t>(kPageSize - offset, out.size() - done);
        const Page* page = pageAt(a);
        if (page)
            std::memcpy(out.data() + done, page->data() + offset, chunk);
        else
            std::memset(out.data() + done, 0, chunk);
        done += chunk;
    }
}

void MemoryImage::write(std::uint32_t address, std::span<const std::uint8_t> bytes) {
    std::size_t done = 0;
    while (done < bytes.size()) {
        const std::uint64_t at = std::uint64_t{address} + done;
        if (at >= kSize)
            return;
        const auto a = static_cast<std::uint32_t>(at);
        const std::size_t offset = a % kPageSize;
        const std::size_t chunk = std::min<std::size_t>(kPageSize - offset, bytes.size() - done);
        std::memcpy(pageFor(a)->data() + offset, bytes.data() + done, chunk);
        done += chunk;
    }
}

void MemoryImage::fill(std::uint32_t address, std::uint32_t length, std::uint8_t value) {
    std::uint64_t done = 0;
    while (done < length) {
        const std::uint64_t at = std::uint64_t{address} + done;
        if (at >= kSize)
            return;
        const auto a = static_cast<std::uint32_t>(at);
        const std::size_t offset = a % kPageSize;
        const std::size_t chunk =
            static_cast<std::size_t>(std::min<std::uint64_t>(kPageSize - offset, length - done));
        std::memset(pageFor(a)->data() + offset, value, chunk);
        done += chunk;
    }
}

void MemoryImage::clear() {
    for (auto& page : m_pages)
        page.reset();
}

std::size_t MemoryImage::allocatedBytes() const {
    const auto pages = std::count_if(m_pages.begin(), m_pages.end(),
                                     [](const auto& page) { return page != nullptr; });
    return static_cast<std::size_t>(pages) * kPageSize + m_pages.size() * sizeof(m_pages[0]);
}

std::vector<std::uint32_t> MemoryImage::allocatedPages() const {
    std::vector<std::uint32_t> result;
    for (std::size_t i = 0; i < m_pages.size(); ++i) {
        if (m_pages[i])
            result.push_back(static_cast<std::uint32_t>(i * kPageSize));
    }
    return result;
}

bool MemoryImage::operator==(const MemoryImage& other) const {
    static const Page zero{};
    for (std::size_t i = 0; i < m_pages.size(); ++i) {
        const Page& a = m_pages[i] ? *m_pages[i] : zero;
        const Page& b = other.m_pages[i] ? *other.m_pages[i] : zero;
        if (&a != &b && a != b)
            return false;
    }
    return true;
}

BlockMap::BlockMap() : m_pages(kBlocks / kPageEntries) {}
BlockMap::BlockMap(const BlockMap& other) : m_pages(copyPages(other.m_pages)) {}
BlockMap& BlockMap::operator=(const BlockMap& other) {
    if (this != &other)
        m_pages = copyPages(other.m_pages);
    return *this;
}
BlockMap::~BlockMap() = default;

std::uint8_t BlockMap::get(std::uint32_t block) const {
    if (block >= kBlocks)
        return 0;
    const auto& page = m_pages[block / kPageEntries];
    return page ? (*page)[block % kPageEntries] : 0;
}

void BlockMap::set(std::uint32_t block, std::uint8_t value) {
    if (block >= kBlocks)
        return;
    auto& page = m_pages[block / kPageEntries];
    if (!page) {
        if (value == 0)
            return;
        page = std::make_unique<Page>(Page{});
    }
    (*page)[block % kPageEntries] = value;
}

void BlockMap::markRange(std::uint32_t address, std::uint32_t length, std::uint8_t value) {
    if (length == 0 || address >= MemoryImage::kSize)
        return;
    const std::uint64_t last =
        std::min<std::uint64_t>(std::uint64_t{address} + length - 1, MemoryImage::kSize - 1);
    for (std::uint64_t block = address / 16; block <= last / 16; ++block)
        set(static_cast<std::uint32_t>(block), value);
}

void BlockMap::clear() {
    for (auto& page : m_pages)
        page.reset();
}

std::int64_t BlockMap::nextWithValue(std::uint32_t fromBlock, std::uint8_t value) const {
    for (std::uint32_t block = fromBlock; block < kBlocks;) {
        const auto& page = m_pages[block / kPageEntries];
        if (!page) {
            block = (block / kPageEntries + 1) * kPageEntries;
            continue;
        }
        const auto begin = page->begin() + block % kPageEntries;
        const auto found = std::find(begin, page->end(), value);
        if (found != page->end())
            return static_cast<std::int64_t>(block / kPageEntries) * kPageEntries +
                   (found - page->begin());
        block = (block / kPageEntries + 1) * kPageEntries;
    }
    return -1;
}

std::size_t BlockMap::count(std::uint8_t value) const {
    std::size_t total = 0;
    for (const auto& page : m_pages) {
        if (page)
            total += static_cast<std::size_t>(std::count(page->begin(), page->end(), value));
    }
    return total;
}

std::size_t BlockMap::allocatedBytes() const {
    const auto pages = std::count_if(m_pages.begin(), m_pages.end(),
                                     [](const auto& page) { return page != nullptr; });
    return static_cast<std::size_t>(pages) * kPageEntries + m_pages.size() * sizeof(m_pages[0]);
}

} // namespace r605
