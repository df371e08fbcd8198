#include "core/composition.h"

#include "core/spokentemplate.h"

QString ComposedAtis::spoken() const
{
    return SpeakTemplate(templateText, values);
}

std::variant<ComposedAtis, Failure> ComposeAtis(const AtisInputs& inputs)
{
    ComposedAtis atis;
    atis.templateText = inputs.templateText;
    TemplateValues& values = atis.values;
    values.icao = inputs.icao;
    values.informationCode = inputs.informationCode;
    values.runways = BuildRunwayPhrase(inputs.runways);
    values.metar = inputs.metar;
    FinishAltimeterAndVisibility(values.metar);
    values.profile = inputs.profile;
    values.approach = inputs.approach;
    values.remarks = inputs.remarks;
    values.transitionLevel = TransitionLevelText(inputs.transitionLevels, inputs.metar.Altimeter);
    values.atisType = AtisTypeWord(inputs.atisType);
    auto expanded = ExpandTemplate(inputs.templateText, values);
    if (Failure* failure = std::get_if<Failure>(&expanded))
        return *failure;
    atis.text = std::get<QString>(std::move(expanded));
    return atis;
}
