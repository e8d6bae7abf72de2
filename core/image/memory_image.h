#pragma once
// The byte-for-byte mirror of the radio's address space (CommData): addresses 0 to 0x7FFFFFF.
// It is stored sparsely in pages allocated on first write; unwritten bytes read 0, so a full
// codeplug costs a few MiB instead of 128.

#include <array>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>
#include <vector>

namespace r605 {

class MemoryImage {
public:
    static constexpr std::uint32_t kSize = 0x8000000;
    static constexpr std::uint32_t kPageSize = 4096;

    MemoryImage();
    MemoryImage(const MemoryImage& other);
    MemoryImage& operator=(const MemoryImage& other);
    MemoryImage(MemoryImage&&) noexcept = default;
    MemoryImage& operator=(MemoryImage&&) noexcept = default;
    ~MemoryImage();

    static bool contains(std::uint64_t address, std::uint64_t length = 1) {
        return address < kSize && length <= kSize - address;
    }

    // Addresses outside the image read 0 and ignore writes: radio data is untrusted, and a
    // reply naming an address beyond the image must not reach memory it does not own.
    std::uint8_t read(std::uint32_t address) const;
    void write(std::uint32_t address, std::uint8_t value);
    void read(std::uint32_t address, std::span<std::uint8_t> out) const;
    void write(std::uint32_t address, std::span<const std::uint8_t> bytes);
    void fill(std::uint32_t address, std::uint32_t length, std::uint8_t value);

    // ClearCommData: every byte 0 again (the pages are dropped).
    void clear();

    // Bytes held in allocated pages (for the memory budget).
    std::size_t allocatedBytes() const;
    // Addresses of the allocated pages, ascending (for dumping an image).
    std::vector<std::uint32_t> allocatedPages() const;

    bool operator==(const MemoryImage& other) const;

private:
    using Page = std::array<std::uint8_t, kPageSize>;
    Page* pageFor(std::uint32_t address);
    const Page* pageAt(std::uint32_t address) const;

    std::vector<std::unique_ptr<Page>> m_pages;
};

// One entry per 16-byte block of the address space (entry k covers addresses 16k .. 16k + 15):
// WriteBlockMap. Encode-all sets 1 for every block it filled; a transfer stores the number of
// the pass in which each block moves. Sparse like the image.
class BlockMap {
public:
    static constexpr std::uint32_t kBlocks = MemoryImage::kSize / 16;
    static constexpr std::uint32_t kPageEntries = 4096;

    BlockMap();
    BlockMap(const BlockMap& other);
    BlockMap& operator=(const BlockMap& other);
    BlockMap(BlockMap&&) noexcept = default;
    BlockMap& operator=(BlockMap&&) noexcept = default;
    ~BlockMap();

    std::uint8_t get(std::uint32_t block) const;
    void set(std::uint32_t block, std::uint8_t value);
    // Sets the entries of every block from address div 16 to (address + length - 1) div 16;
    // parts outside the image are ignored. A length of 0 marks nothing.
    void markRange(std::uint32_t address, std::uint32_t length, std::uint8_t value);
    void clear();

    // The first block at or after `fromBlock` whose entry equals `value` (value must not be 0).
    std::int64_t nextWithValue(std::uint32_t fromBlock, std::uint8_t value) const;
    std::size_t count(std::uint8_t value) const;
    std::size_t allocatedBytes() const;

private:
    using Page = std::array<std::uint8_t, kPageEntries>;
    std::vector<std::unique_ptr<Page>> m_pages;
};

} // namespace r605
