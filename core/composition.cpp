#include "core/composition.h"

#include "core/spokentemplate.h"

QString ComposedAtis::spoken() const
{
    return SpeakTemplate(templateText, values);
}

std::variant<ComposedAtis, Failure> ComposeAtis(const AtisInputs& inputs)
{
    ComposedAtis atis;
    atis.templateText = inputs.profile.templateText;
    TemplateValues& values = atis.values;
    values.icao = inputs.profile.icao;
    values.informationCode = inputs.informationCode;
    values.runways = BuildRunwayPhrase(inputs.runways());
    values.metar = inputs.metar;
    FinishAltimeterAndVisibility(values.metar);
    values.profile = inputs.profileName;
    values.approach = inputs.approach;
    values.remarks = inputs.remarks;
    values.transitionLevel =
        TransitionLevelText(inputs.profile.transitionLevels, inputs.metar.Altimeter);
    atis.transitionLevels = inputs.profile.transitionLevels;
    atis.qnhHpa = QnhHectopascals(inputs.metar.Altimeter);
    values.atisType = AtisTypeWord(inputs.profile.atisType);
    values.phrasing = inputs.profile.phrasingInUse();
    values.textForm = inputs.profile.textForm;
    auto expanded = ExpandTemplate(atis.templateText, values);
    if (Failure* failure = std::get_if<Failure>(&expanded))
        return *failure;
    atis.text = std::get<QString>(std::move(expanded));
    return atis;
}
