#include "main/freight_tables.h"

#include <cmath>

const std::vector<EmsZone> &EmsZoneTable()
{
    static const std::vector<EmsZone> table = {
        {1, {"美国"}, 85, 141.75, 33.75},
        {2, {"台湾", "澳门", "香港"}, 40.5, 72, 13.5},
        {3, {"朝鲜", "韩国", "日本"}, 55.75, 99, 18},
        {4,
         {"印度尼西亚", "越南", "泰国", "新加坡", "蒙古", "马来西亚", "柬埔寨", "菲律宾"},
         62.5,
         105.75,
         20.25},
        {5, {"巴布亚新几内亚", "新西兰", "澳大利亚"}, 76, 119.25, 24.75},
        {6,
         {"加拿大", "西班牙", "奥地利", "法国", "瑞典", "德国", "葡萄牙", "瑞士", "挪威", "马耳他",
          "卢森堡", "意大利", "爱尔兰", "希腊", "芬兰", "丹麦", "英国", "比利时"},
         103,
         159.75,
         33.75},
        {7, {"印度", "孟加拉国", "尼泊尔", "土耳其", "老挝", "斯里兰卡", "巴基斯坦"}, 112, 171, 36},
        {8,
         {"约旦", "以色列", "匈牙利", "乌克兰", "墨西哥", "秘鲁", "捷克", "圭亚那", "古巴",
          "哥伦比亚", "俄罗斯", "波兰", "白俄罗斯", "巴西", "巴拿马", "阿联酋", "阿根廷"},
         121,
         195.75,
         45},
        {9,
         {"塞浦路斯",   "塞内加尔", "尼日利亚",   "尼日尔",   "莫桑比克", "摩洛哥",   "马里",
          "马达加斯加", "罗马尼亚", "卢旺达",     "拉脱维亚", "肯尼亚",   "克罗地亚", "科威特",
          "科特迪瓦",   "开曼群岛", "卡塔尔",     "加蓬",     "加纳",     "几内亚",   "吉布提",
          "哈萨克斯坦", "刚果-金",  "刚果-布",    "法索",     "布基纳",   "博茨瓦纳", "保加利亚",
          "巴林",       "爱沙尼亚", "埃塞俄比亚", "埃及",     "阿曼"},
         170.5,
         254.25,
         54},
        {10, {"乍得", "伊朗", "叙利亚", "乌干达", "突尼斯", "沙特阿拉伯"}, 170.5, 254.25, 54},
    };
    return table;
}

const std::vector<CustomFreightGroup> &CustomFreightTable()
{
    static const std::vector<CustomFreightGroup> table = {
        {1, {"美国"}, 13, 15, 11.5},
        {2, {"英国"}, 9.5, 18, 18.5},
        {3, {"澳大利亚"}, 13, 35, 18.5},
        {4, {"德国"}, 10.5, 15, 26.5},
        {5, {"荷兰", "西班牙", "法国", "卢森堡", "比利时"}, 10.5, 15, 66.5},
        {6, {"葡萄牙", "瑞典", "意大利"}, 10.5, 16, 66.5},
        {7, {"塞浦路斯", "冰岛", "奥地利", "捷克", "瑞士", "希腊", "芬兰"}, 11, 17, 66.5},
        {8,
         {"斯洛文尼亚", "斯洛伐克共和国", "立陶宛", "罗马尼亚", "拉脱维亚", "爱沙尼亚", "保加利亚",
          "土耳其", "俄罗斯", "波兰", "匈牙利", "马耳他", "丹麦", "挪威", "爱尔兰"},
         12,
         20,
         66.5},
    };
    return table;
}

namespace {

template<typename Entry>
const Entry *entryNaming(const std::vector<Entry> &table, const QString &destination)
{
    for (const Entry &entry : table) {
        if (entry.destinations.contains(destination, Qt::CaseSensitive))
            return &entry;
    }
    return nullptr;
}

} // namespace

const EmsZone *emsZoneOf(const QString &destination)
{
    return entryNaming(EmsZoneTable(), destination);
}

const CustomFreightGroup *customFreightGroupOf(const QString &destination)
{
    return entryNaming(CustomFreightTable(), destination);
}

double emsPrice(const EmsZone &zone, double grams)
{
    if (grams < 500)
        return zone.under500g;
    // Only complete 500 g beyond the first count: 999 g costs what 500 g costs.
    const double units500 = std::trunc(grams / 500);
    return zone.first500g + zone.eachFurther500g * (units500 - 1) + 4;
}

double customFreightPrice(const CustomFreightGroup &group, double grams)
{
    const double units100 = std::trunc(grams / 100);
    return group.fixedFee + group.per100g * units100 + group.surcharge;
}
