jsonCallback({"drpost":false,"services":[
 {"redirectUrl":null,"events":[],"serviceName":"App Store"},
 {"redirectUrl":null,"events":[{"usersAffected":"Some users are affected","epochStartDate":1764500000000,"eventStatus":"ongoing","statusType":"Issue","messageType":"Issue","message":"Users may be unable to sign in."}],"serviceName":"iCloud Mail"},
 {"redirectUrl":null,"events":[{"eventStatus":"resolved","statusType":"Outage"}],"serviceName":"Maps"},
 {"redirectUrl":null,"events":[{"statusType":"Outage"}],"serviceName":"Siri"},
 {"redirectUrl":null,"events":[{"eventStatus":"upcoming","messageType":"Maintenance"}],"serviceName":"Apple TV+"},
 {"redirectUrl":null,"events":[{"usersAffected":"All users are affected","epochStartDate":1764496800000,"epochEndDate":1764511200000,"datePosted":"11/30/2026 01:00 PST","eventStatus":"ongoing","statusType":"Maintenance","messageType":"Maintenance","message":"Scheduled maintenance is under way."}],"serviceName":"iCloud Backup"}
]});
