#pragma once

#include <cstdint>
#include <string>

namespace app {

// The number written in Chinese numerals as a person writes it (GBK text): 十, 十一,
// 二十三, 一百零五, 一千零一十, 一万零一十, 十万, 一亿零一十万. 0 is 零 and a negative
// number is led by 负.
std::string chineseNumeral(int64_t value);

}  // namespace app
