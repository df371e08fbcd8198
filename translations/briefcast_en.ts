<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en_US">
<context>
    <name>MetarAgeLabel</name>
    <message>
        <source>Age of the last METAR</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>QtSpeaker</name>
    <message>
        <source>The speech engine &quot;%1&quot; reported an error: is an audio output available?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No text-to-speech engine is installed.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>SpeechMenus</name>
    <message>
        <source>&amp;Slow</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Normal</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Fast</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Spea&amp;k ATIS</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Speak New ATIS Automatically</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Voice</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Speech &amp;Rate</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Default</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>Texts</name>
    <message>
        <source>Not a variable: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Tailwind %1 kt on runway %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Crosswind %1 kt on runway %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Variable wind %1 kt: tailwind possible on runway %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Runways in opposite directions: %1 and %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No runway ticked for %runways%</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>METAR is for %1, not %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Sent as &quot;?&quot; to the radar client: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Read wrongly aloud: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%tl% is empty: no transition level table or no QNH</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No transition level for QNH %1 hPa in this profile&apos;s table</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Transition level table: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Check:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The location of atis.txt is not a full path: &quot;%1&quot;</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 to %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Changed: %1.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>ATIS %1 now current.<byte value="xd"/>
<byte value="xd"/>
Winds: %2<byte value="xd"/>
Altimeter: %3<byte value="xd"/>
Visibility: %4<byte value="xd"/>
Sky: %5</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Press OK to copy to clipboard.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1; written in place, the file may now hold part of the new content</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 min</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 h %2 min</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 d %2 h</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Ahead %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>STALE %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Age %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>This METAR is stamped %1 ahead of this computer&apos;s clock: the clock runs slow.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>STALE: this METAR was observed %1 ago.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The METAR received is for %1, not for the airport asked for, %2.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The ATIS would be longer than %1 characters.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The band %1 to %2 hPa ends below its start</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No level for %1 hPa</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Two levels for %1 hPa</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 levels for %2 hPa</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 was taken over from %2, already on the air.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 on the air at %2 is outside the letters %3: not taken over.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Error</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>New ATIS</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Could not parse METAR! ATIS not updated!</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The following error occurred while retrieving the METAR:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The following error occurred while processing the METAR:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The following error occurred while attempting to write to atis.txt:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The following error occurred while copying the ATIS to the clipboard:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Must enter airport ICAO code.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Invalid ICAO code entered!</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 is on the air, outside the letters %2. Stop auto-update first: the new letters begin at the next Start.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The code page &quot;%1&quot; is not known on this computer (setting ATISFileEncoding)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>winds</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>visibility</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>sky cond</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>precip</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>altimeter</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>temp</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>dewpoint</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Germany (transition altitude 5000 ft)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Austria (transition altitude 10000 ft)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>London Heathrow (transition altitude 6000 ft)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The ATIS cannot be spoken. Everything else works as before.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No ATIS has been generated yet: there is nothing to speak.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Still executing last request</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The server did not answer within %1 seconds</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The reply is larger than %1 MiB and was refused</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The request was cancelled</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The HTTP library libcurl could not be loaded: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>curl_global_init failed</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The connection closed before the whole reply had arrived</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1, but the server named no new address</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The redirect to %1 was refused: redirects go only to http or https addresses, and never from https to http</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>More than %1 redirects in a row</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Enter a name to use for this profile:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Save Profile</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Confirm Overwrite</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Profile Saved!</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Confirm Delete</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Confirm Save</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The current profile has unsaved changes. Would you like to update the saved profile?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Would you like to save the current settings as a profile?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No profile selected!</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The profile could not be saved: the settings store could not be written. Your changes are still in the window.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The profile could not be deleted: the settings store could not be written.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>A profile with the name &quot;%1&quot; already exists. Overwrite it?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The profile &quot;%1&quot; no longer exists.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>These settings of the profile &quot;%1&quot; could not be read and are left at their defaults; saving the profile writes the defaults in their place:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Are you sure you wish to delete the profile &quot;%1&quot;?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Retrieving VATSIM data server listing ...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Extracting METAR server URL ...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No weather server URLs found! Exiting.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The following error occurred while retrieving the VATSIM data server listing:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Briefcast cannot work without it and will now exit.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Select Your atis.txt File</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>All files (*.*)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Text files (*.txt)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Please specify your atis.txt file</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>ATIS file path now set to:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The folder of this file does not exist. Please choose a file in an existing folder:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The settings could not be saved: the settings store could not be written.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Try again? No closes Briefcast without saving them.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>USA (D-ATIS)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Northern Europe</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Southern Europe, Mediterranean</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Russia, CIS</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Canada</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Australia</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>UiTexts</name>
    <message>
        <source>Enter Runway:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Enter runway identifier with optional L, R, or C appended to the number. Examples: 4L, 09, 33R, 18, 24C</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>That runway already exists in the lists.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>About</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Version </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Briefcast contributors</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The user manual could not be opened:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>There is no clipboard on this desktop.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The clipboard did not accept the text.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Local ATIS &amp;Generator...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Local ATIS Generator</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Answer radar clients and ATIS clients on this computer</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Port:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Radar client, ATIS maker URL:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>ATIS client, external generator URL (add &amp;&amp;format=voice for the voice ATIS):</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Copy</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The URL could not be copied to the clipboard.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Last requests:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Time</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Airport</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Letter</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Status</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Check</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Serving on 127.0.0.1, port %1.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Off: nothing is served.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Port %1 is in use (another Briefcast or another program): not serving. Choose another port.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Not serving on port %1: %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Check: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Check (%1): %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>ATIS check</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Generator, %1 %2: %3</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Generator&apos;s ATIS check</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Transition Level</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>From hPa</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>To hPa</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Level</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Add Band</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Remove Band</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Start from:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Use</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>This table cannot be used:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>ATIS Type and Letters</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Type:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Combined</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Arrival</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Departure</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;First letter:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Last letter:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The last letter comes before the first.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Briefcast (closing as soon as start-up ends)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Briefcast is already running with these settings, but does not answer. Close or end it, then start Briefcast again.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Keeps an airport&apos;s ATIS current from the network&apos;s METAR, beside the radar client.
The window is the whole interface.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Starting Code:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Current Code:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Start</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Stop</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Start Autoupdate</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Stop Autoupdate</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Looking up the letter on the air...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Tra&amp;nsition Level...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Phrasing</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;ICAO</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;FAA</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;ATIS Type and Letters...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Text &amp;Form</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>METAR &amp;Groups</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Words</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Start from:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Use</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Template presets</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Replace the template with the preset %1? Its phrasing and text form come with it.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>frmMain</name>
    <message>
        <source>Profiles</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>ATIS</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Runways</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Airport Code:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Saved Profiles:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Load</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Save</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Delete</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Template:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Last Generated ATIS:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Copy to Clipboard</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Refresh ATIS Now</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Landing:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Departing:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Add Runway</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Del Runway</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Visual approaches in use</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>LAHSOs in effect</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Exit</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Last METAR:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Information code</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;File</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Copy ATIS to Clipboard</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Refresh ATIS Now</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>E&amp;xit</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Options</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Update ATIS.txt Automatically</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>ATIS.txt &amp;Location</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Take Over the Letter on the Air</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Help</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Documentation</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;About</source>
        <translation type="unfinished"></translation>
    </message>
</context>
</TS>
