#include "main/destination_list.h"

const QStringList &destinationList()
{
    static const QStringList list = {
        "阿根廷",     "阿联酋",   "阿曼",     "埃及",       "埃塞俄比亚",     "爱尔兰",
        "爱沙尼亚",   "奥地利",   "澳大利亚", "澳门",       "巴布亚新几内亚", "巴基斯坦",
        "巴林",       "巴拿马",   "巴西",     "白俄罗斯",   "保加利亚",       "比利时",
        "波兰",       "博茨瓦纳", "布基纳",   "朝鲜",       "丹麦",           "德国",
        "俄罗斯",     "法国",     "法索",     "菲律宾",     "芬兰",           "刚果-布",
        "刚果-金",    "哥伦比亚", "古巴",     "圭亚那",     "哈萨克斯坦",     "韩国",
        "吉布提",     "几内亚",   "加拿大",   "加纳",       "加蓬",           "柬埔寨",
        "捷克",       "卡塔尔",   "开曼群岛", "科特迪瓦",   "科威特",         "克罗地亚",
        "肯尼亚",     "拉脱维亚", "老挝",     "卢森堡",     "卢旺达",         "罗马尼亚",
        "马达加斯加", "马耳他",   "马来西亚", "马里",       "美国",           "蒙古",
        "孟加拉国",   "秘鲁",     "摩洛哥",   "莫桑比克",   "墨西哥",         "尼泊尔",
        "尼日尔",     "尼日利亚", "挪威",     "葡萄牙",     "日本",           "瑞典",
        "瑞士",       "塞内加尔", "塞浦路斯", "沙特阿拉伯", "斯里兰卡",       "台湾",
        "泰国",       "突尼斯",   "土耳其",   "乌干达",     "乌克兰",         "西班牙",
        "希腊",       "香港",     "新加坡",   "新西兰",     "匈牙利",         "叙利亚",
        "伊朗",       "以色列",   "意大利",   "印度",       "印度尼西亚",     "英国",
        "约旦",       "越南",     "乍得",
    };
    return list;
}

std::optional<QString> firstItemStartingWith(const QStringList &items, const QString &typed)
{
    if (typed.isEmpty())
        return std::nullopt;
    for (const QString &item : items) {
        if (item.startsWith(typed, Qt::CaseSensitive))
            return item;
    }
    return std::nullopt;
}
