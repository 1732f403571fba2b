<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en_US">
<context>
    <name>ComponentSelection</name>
    <message numerus="yes">
        <source>%n of %1 selected components not found</source>
        <translation>
            <numerusform>%n of %1 selected components not found</numerusform>
            <numerusform>%n of %1 selected components not found</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>ComponentsButton</name>
    <message numerus="yes">
        <source>Watching %n component(s)</source>
        <translation>
            <numerusform>Watching %n component</numerusform>
            <numerusform>Watching %n components</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>FeedScan</name>
    <message numerus="yes">
        <source>(+%n more)</source>
        <translation>
            <numerusform>(+%n more)</numerusform>
            <numerusform>(+%n more)</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>GeneralTab</name>
    <message numerus="yes">
        <source>%n selected</source>
        <translation>
            <numerusform>%n selected</numerusform>
            <numerusform>%n selected</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n minute(s)</source>
        <translation>
            <numerusform>%n minute</numerusform>
            <numerusform>%n minutes</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>Headless</name>
    <message numerus="yes">
        <source>%n service(s)</source>
        <translation>
            <numerusform>%n service</numerusform>
            <numerusform>%n services</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>ServiceStore</name>
    <message numerus="yes">
        <source>; and %n more</source>
        <translation>
            <numerusform>; and %n more</numerusform>
            <numerusform>; and %n more</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>TrayMenu</name>
    <message numerus="yes">
        <source>%n more…</source>
        <translation>
            <numerusform>%n more…</numerusform>
            <numerusform>%n more…</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>All %n services operational</source>
        <translation>
            <numerusform>The %n service is operational</numerusform>
            <numerusform>All %n services operational</numerusform>
        </translation>
    </message>
</context>
</TS>
