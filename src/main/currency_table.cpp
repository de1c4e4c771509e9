#include "main/currency_table.h"

#include <vector>

namespace {

const std::vector<Currency> &currencies()
{
    static const std::vector<Currency> table = {
        {"美元",
         "美国",
         "获取最新美元汇率",
         "6.3175",
         "wd=%C3%C0%D4%AA%C8%CB%C3%F1%B1%D2%BB%E3%C2%CA",
         "1美元=",
         {"成本(USD)", "国内运费(USD)", "销售价(USD)", "设定运费(USD)", "销售额(USD)",
          "交易费(USD)", "设定运费(USD)", "销售额(USD)", "交易费(USD)", "USD", "USD", "纯利润(USD)",
          "纯利润(USD)"}},
        {"英镑",
         "英国",
         "获取最新英镑汇率",
         "9.9629",
         "wd=%D3%A2%B0%F7%C8%CB%C3%F1%B1%D2%BB%E3%C2%CA",
         "1英镑=",
         {"成本(GBP)", "国内运费(GBP)", "销售价(GBP)", "设定运费(GBP)", "销售额(GBP)",
          "交易费(GBP)", "设定运费(GBP)", "销售额(GBP)", "交易费(GBP)", "GBP", "GBP", "纯利润(GBP)",
          "纯利润(GBP)"}},
        // The cost caption of the euro starts with a blank; the others do not.
        {"欧元",
         "德国",
         "获取最新欧元汇率",
         "8.3038",
         "wd=%C5%B7%D4%AA%C8%CB%C3%F1%B1%D2%BB%E3%C2%CA",
         "1欧元=",
         {" 成本(EUR)", "国内运费(EUR)", "销售价(EUR)", "设定运费(EUR)", "销售额(EUR)",
          "交易费(EUR)", "设定运费(EUR)", "销售额(EUR)", "交易费(EUR)", "EUR", "EUR", "纯利润(EUR)",
          "纯利润(EUR)"}},
        // The search asks for the rouble by its short name, the page states it
        // by its full one.
        {"卢布",
         "俄罗斯",
         "获取最新卢布汇率",
         "0.2136",
         "wd=%C2%AC%B2%BC%C8%CB%C3%F1%B1%D2%BB%E3%C2%CA",
         "1俄罗斯卢布=",
         {"成本(RUB)", "国内运费(RUB)", "销售价(RUB)", "设定运费(RUB)", "销售额(RUB)",
          "交易费(RUB)", "设定运费(RUB)", "销售额(RUB)", "交易费(RUB)", "RUB", "RUB", "纯利润(RUB)",
          "纯利润(RUB)"}},
    };
    return table;
}

} // namespace

const Currency *currencyNamed(const QString &text)
{
    for (const Currency &currency : currencies()) {
        if (currency.name == text)
            return &currency;
    }
    return nullptr;
}

QStringList currencyNames()
{
    QStringList names;
    for (const Currency &currency : currencies())
        names << currency.name;
    return names;
}

std::optional<QString> DefaultRates(const QString &currencyText)
{
    if (const Currency *currency = currencyNamed(currencyText))
        return currency->defaultRate;
    return std::nullopt;
}
