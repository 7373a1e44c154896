#include "about/AboutTexts.h"

#include "state/AppText.h"

namespace tomira {

AboutTexts LoadAboutTexts()
{
    AboutTexts texts;
    texts.caption = std::string(kApplicationTitle) + "のﾊﾞｰｼﾞｮﾝ情報";
    texts.version = kVersionText;
    texts.title =
        std::string(kApplicationTitle) + "\r\n" + kMakerNotice + "\r\n" + "無断で複製・転載することを禁じます。";
    return texts;
}

}  // namespace tomira
