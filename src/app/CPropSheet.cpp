#include "CPropSheet.h"

#include "AppTexts.h"
#include "Ev2PageTexts.h"
#include "SiteTexts.h"
#include "UiText.h"

namespace k30 {

void CPropSheet::SetCaptions(Language lang)
{
    const Text* captions[] = {&texts::kTabList, &texts::kTabRead, &texts::kTabHeader, &texts::kTabTest,
                              &ev2_texts::kTabCaption, &site_texts::kTabCaption};
    for (int i = 0; i < count() && i < 6; ++i)
        setTabText(i, Tr(*captions[i], lang));
}

}  // namespace k30
