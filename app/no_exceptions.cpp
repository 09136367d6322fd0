// The shipped programs are built without exceptions, and nothing in them
// throws or catches one. What the C++ library would throw (memory that
// cannot be had, a length past the largest) ends the program here, as an
// uncaught exception would, without linking the library's exception
// machinery: about two thirds of the program's size.
#include <cstdlib>
#include <new>

void* operator new(std::size_t size) {
    if (void* memory = std::malloc(size)) return memory;
    std::abort();
}

void* operator new(std::size_t size, const std::nothrow_t&) noexcept {
    return std::malloc(size);
}

void operator delete(void* memory) noexcept {
    std::free(memory);
}

void operator delete(void* memory, std::size_t) noexcept {
    std::free(memory);
}

namespace std {

void __throw_bad_alloc() {
    std::abort();
}

void __throw_bad_array_new_length() {
    std::abort();
}

void __throw_length_error(const char*) {
    std::abort();
}

void __throw_logic_error(const char*) {
    std::abort();
}

void __throw_out_of_range_fmt(const char*, ...) {
    std::abort();
}

}  // namespace std
