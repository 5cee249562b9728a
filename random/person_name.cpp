#include "random/person_name.h"

#include "app/controls.h"
#include "random/tick_random.h"

namespace receipt {
namespace {

// The byte 256 - r of a draw r from 38 to 80: 0xB0 to 0xDA.
Text HanziByte(std::uint32_t r) {
    return CharFromCode(static_cast<int>(TruncateToInt64(-static_cast<double>(r))));
}

}  // namespace

const Text& SurnameList() {
    static const Text list = GbkText(
        "赵钱孙李周吴郑王冯陈褚卫蒋沈韩杨朱秦尤许何吕施张"
        "孔曹严华金魏陶姜戚谢邹喻柏水窦章云苏潘葛奚范彭郎"
        "鲁韦昌马苗凤花方俞任袁柳酆鲍史唐费廉岑薛雷贺倪汤"
        "滕殷罗毕郝邬安常乐于时傅皮卞齐康伍余元卜顾孟平黄"
        "和穆萧尹姚邵湛汪祁毛禹狄米贝明臧计伏成戴谈宋茅庞"
        "熊纪舒屈项祝董梁杜阮蓝闵席季麻强贾路娄危江童颜郭"
        "梅盛林刁钟徐邱骆高夏蔡田樊胡凌霍虞万支柯昝管卢莫"
        "柯房裘缪干解应宗丁宣贲邓郁单杭洪包诸左石崔吉钮龚"
        "程嵇邢滑裴陆荣翁荀羊于惠甄曲家封芮羿储靳汲邴糜松"
        "井段富巫乌焦巴弓牧隗山谷车侯宓蓬全郗班仰秋仲伊宫"
        "宁仇栾暴甘钭历戎祖武符刘景詹束龙叶幸司韶郜黎蓟溥"
        "印宿白怀蒲邰从鄂索咸籍赖卓蔺屠蒙池乔阳郁胥能苍双"
        "闻莘党翟谭贡劳逄姬申扶堵冉宰郦雍却璩桑桂濮牛寿通"
        "边扈燕冀浦尚农温别庄晏柴瞿阎充慕连茹习宦艾鱼容向"
        "古易慎戈廖庾终暨居衡步都耿满弘匡国文寇广禄阙东欧"
        "殳沃利蔚越夔隆师巩厍聂晁勾敖融冷訾辛阚那简饶空曾"
        "毋沙乜养鞠须丰巢关蒯相查后荆红游竺权逮盍益桓公");
    return list;
}

Text RandomSurname() {
    // An odd start position from 1 to 813, the start of the last character.
    const Text position = RandomNumberText(1, 813, 1);
    const int p = static_cast<int>(TruncateToInt64(ToNumber(position)));
    return TextMid(SurnameList(), p, 2);
}

Text RandomHanzi() {
    const Text lead = HanziByte(TickRandom(38, 80));
    const Text trail = HanziByte(TickRandom(38, 80));
    return Concat(lead, trail);
}

Text RandomGivenName(int count) {
    Text name;
    for (int i = 1; i <= count; ++i) {
        name = Concat(name, RandomHanzi());
        ProcessEvents();
    }
    return name;
}

}  // namespace receipt
