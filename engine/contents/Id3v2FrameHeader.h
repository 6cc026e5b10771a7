#pragma once

#include <type_traits>

#include <taglib/id3v2framefactory.h>

namespace nameshift::engine {

// TagLib 1.x keeps the frame header's type protected inside Frame, where only a frame factory's
// subclass can name it; the type is taken from the factory function that takes one instead.
template <typename Member>
struct ParameterOf;
template <typename Result, typename Class, typename Parameter>
struct ParameterOf<Result (Class::*)(Parameter) const> {
    using type = Parameter;
};
struct FrameHeaderType : TagLib::ID3v2::FrameFactory {
    using Pointer = ParameterOf<decltype(&FrameHeaderType::updateFrame)>::type;
};
using Id3v2FrameHeader = std::remove_pointer_t<FrameHeaderType::Pointer>;

}  // namespace nameshift::engine
